// Search expressions that once broke namazu's command line, each with what
// namazu's hit-count line shows when it arrives as one query (the words
// namazu lists for an index of the sample account's inbox).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tvp::test {

inline const std::vector<std::pair<std::string, std::string>> kHostileExpressions = {
    {"foo\" --output=\"evil.txt", " [ foo\": 0 ]  [ --output=\"evil.txt: 0 ] "},
    {"inboxonly\\", " [ inboxonly\\: 0 ] "},
    {"\"inboxonly mail\"", " {  [ inboxonly: 6 ]  [ mail: "},
    {"-inboxonly", " [ -inboxonly: 0 ] "},
    {"--help", " [ --help: 0 ] "},
    {"inboxonly &|<>^%", " [ inboxonly: 6 ]  [ &|<>^%: 0 ] "},
    {"a\\\\\"b\\\"c\\", " [ a\\\\\"b\\\"c\\: 0 ] "},
};

}  // namespace tvp::test
