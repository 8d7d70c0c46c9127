// Sample Tovaro bytes the tests share: the marker, a small good file and what it becomes.
#pragma once

#include <string>

namespace t2k::test {

// The marker line's text in code page 1252 (the guillemet is one byte).
inline const std::string marker = "\xab"
                                  "p2";
// A marker line and one record line, with CR LF line breaks.
inline const std::string good_input = marker + "\r\nA_1\r\n";
// good_input converted: STX, the fields split at the underscore by ETX, EOT.
inline const std::string good_output = "\x02"
                                       "A\x03"
                                       "1\x04";

} // namespace t2k::test
