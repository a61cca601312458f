#pragma once
// The worked example of the help text, shared by the tests of both builds:
// TAB between the values, CR LF after every row; the lines Calculate gives
// for it with 5 variables; and how Load Data shows it in the matrix field.

#include <string>

namespace test_support {

inline const std::string kExample =
    "1.0000\t0.2000\t0.2400\t0.0000\t0.0000\r\n"
    "0.2000\t1.0000\t0.5800\t0.5600\t0.2100\r\n"
    "0.2400\t0.5800\t1.0000\t0.4100\t0.2100\r\n"
    "0.0000\t0.5600\t0.4100\t1.0000\t0.5100\r\n"
    "0.0000\t0.2100\t0.2100\t0.5100\t1.0000\r\n";
inline const std::string kExampleResults =
    "0.2961\t0.0877\r\n"
    "0.6925\t0.4795\r\n"
    "0.6074\t0.3690\r\n"
    "0.7000\t0.4900\r\n"
    "0.5206\t0.2710\r\n";
inline const std::string kExampleDisplay =
    "1.0000  0.2000  0.2400  0.0000  0.0000\r\n"
    "0.2000  1.0000  0.5800  0.5600  0.2100\r\n"
    "0.2400  0.5800  1.0000  0.4100  0.2100\r\n"
    "0.0000  0.5600  0.4100  1.0000  0.5100\r\n"
    "0.0000  0.2100  0.2100  0.5100  1.0000\r\n";

}  // namespace test_support
