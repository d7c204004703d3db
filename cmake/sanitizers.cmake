# AddressSanitizer and UndefinedBehaviorSanitizer for everything built in this tree. Undefined
# behaviour stops the program so a test cannot pass over it. -O1 (after the build type's own
# flags, so it wins) as the sanitizers' makers advise, for tests that run in a fraction of the
# time; assertions stay on in a Debug build. GCC's maybe-uninitialized analysis misreads the
# instrumented code (std::regex's std::function members, in libstdc++'s own headers): the plain
# build keeps that warning as an error.
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -O1)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wno-maybe-uninitialized)
endif()
add_link_options(-fsanitize=address,undefined)
