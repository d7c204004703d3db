# Warnings are errors on our own targets only; third-party headers come in as SYSTEM includes.
function(gui_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
