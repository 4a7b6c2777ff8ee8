#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tools {

// A comma-separated text as RFC 4180 writes it: fields in double quotes may
// hold commas, quotes (written twice) and line breaks; records end with LF
// or CR LF. A leading UTF-8 byte order mark is skipped, empty lines too.
struct CsvRecord {
    int Line = 0;  // where the record starts, from 1
    std::vector<std::string> Fields;
};

// Raises std::runtime_error naming the line of an unclosed quote or of text
// after a closing quote.
std::vector<CsvRecord> ParseCsv(std::string_view text);

// One field as it is written: quoted when it holds a comma, a quote, a line
// break or blanks at either end.
std::string CsvField(std::string_view field);

}  // namespace tools
