// The settings file a first start writes when nothing was changed and the main
// window was maximized at exit.
#pragma once

inline constexpr const char* kFirstStartSettings =
    "C:\\Programme\\Trusswick\\neu.brg\r\n"
    " 100  9  200  0  0  400  0 \r\n"
    " 1  1  1  1  1  1  1 \r\n"
    " 0  0  9000  12000  2  0 \r\n"
    "Colors: Back Water Point Fixpoint Selected Line Rail Train Land Grid1 Grid2 Grid3\r\n"
    " 4737096 \r\n 8334380 \r\n 10526880 \r\n 255 \r\n 65535 \r\n 65280 \r\n 16777215 \r\n 5806168 \r\n"
    " 7303023 \r\n 3158064 \r\n 5789784 \r\n 0 \r\n";
