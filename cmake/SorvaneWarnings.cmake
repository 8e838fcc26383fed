# Compiler settings the Windows build and the native builds (rules, fuzzing)
# share.

# Sources are UTF-8; the bytes that stored files and devices see are Shift-JIS,
# so narrow literals are compiled to code page 932. Wide literals stay UTF-16.
set(SORVANE_EXEC_CHARSET CP932)
set(SORVANE_CHARSET_OPTIONS -finput-charset=UTF-8 -fexec-charset=${SORVANE_EXEC_CHARSET})

set(SORVANE_CXX_WARNINGS
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wnull-dereference
  -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough -Werror=return-type
  -Werror=format-security)
