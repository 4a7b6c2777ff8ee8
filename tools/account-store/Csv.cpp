#include "tools/account-store/Csv.h"

#include <stdexcept>

namespace tools {

namespace {

class CsvParser {
public:
    explicit CsvParser(std::string_view text) : text_(text)
    {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            pos_ = 3;
    }

    std::vector<CsvRecord> Run()
    {
        std::vector<CsvRecord> records;
        while (pos_ < text_.size()) {
            CsvRecord record;
            record.Line = line_;
            if (ReadRecord(record.Fields))
                records.push_back(std::move(record));
        }
        return records;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw std::runtime_error("line " + std::to_string(line_) + ": " + what);
    }

    bool AtLineEnd() const { return text_[pos_] == '\n' || text_[pos_] == '\r'; }

    void SkipLineEnd()
    {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    // Reads one record; false for an empty line.
    bool ReadRecord(std::vector<std::string>& fields)
    {
        if (AtLineEnd()) {
            SkipLineEnd();
            return false;
        }
        for (;;) {
            fields.push_back(ReadField());
            if (pos_ >= text_.size())
                return true;
            if (AtLineEnd()) {
                SkipLineEnd();
                return true;
            }
            ++pos_;  // the comma
        }
    }

    std::string ReadField()
    {
        std::string field;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            int start = line_;
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size()) {
                    line_ = start;
                    Fail("a quoted field is not closed");
                }
                char c = text_[pos_++];
                if (c == '"') {
                    if (pos_ < text_.size() && text_[pos_] == '"') {
                        field += '"';
                        ++pos_;
                        continue;
                    }
                    break;
                }
                if (c == '\n')
                    ++line_;
                field += c;
            }
            if (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd())
                Fail("text after a closing quote");
            return field;
        }
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd())
            field += text_[pos_++];
        return field;
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

std::vector<CsvRecord> ParseCsv(std::string_view text)
{
    return CsvParser(text).Run();
}

std::string CsvField(std::string_view field)
{
    bool quote = field.find_first_of(",\"\r\n") != std::string_view::npos ||
                 (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quote)
        return std::string(field);
    std::string out = "\"";
    for (char c : field) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

}  // namespace tools
