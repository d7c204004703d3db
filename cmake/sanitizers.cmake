# AddressSanitizer and UndefinedBehaviorSanitizer for everything built in this tree. Undefined
# behaviour stops the program so a test cannot pass over it. -O1 (after the build type's own
# flags, so it wins) as the sanitizers' makers advise: unoptimised, the exhaustive pixel tests
# alone took minutes; assertions stay on in a Debug build.
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -O1)
add_link_options(-fsanitize=address,undefined)
