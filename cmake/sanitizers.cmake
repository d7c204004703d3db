# AddressSanitizer and UndefinedBehaviorSanitizer for everything built in this tree. Undefined
# behaviour stops the program so a test cannot pass over it.
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
