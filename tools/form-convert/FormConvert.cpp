// form-convert: converts a form description or a saved component stream
// between the text form and the binary component stream.
//
//   form-convert --to-binary IN OUT
//   form-convert --to-text IN OUT
//
// "-" names standard input or output. The input may be in either form: a
// binary input to --to-binary is checked and copied, a text input to
// --to-text is checked and written in the standard layout.
// Errors are one line on standard error and exit status 1 (2 for usage).

#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/filing/Filer.h"
#include "platform/filing/TextConvert.h"

namespace {

const char Usage[] =
    "usage: form-convert --to-binary IN OUT\n"
    "       form-convert --to-text IN OUT\n"
    "Converts a form description or a saved component stream between the text\n"
    "and the binary form; '-' stands for standard input or output.\n";

std::string ReadInput(const std::string& name)
{
    if (name == "-") {
        std::cin >> std::noskipws;
        return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    }
    core::TFileStream file(name, core::fmOpenRead);
    std::string data(static_cast<size_t>(file.Size()), '\0');
    file.ReadBuffer(data.data(), static_cast<int>(data.size()));
    return data;
}

void WriteOutput(const std::string& name, const std::string& data)
{
    if (name == "-") {
        std::cout.write(data.data(), static_cast<std::streamsize>(data.size()));
        std::cout.flush();
        return;
    }
    core::TFileStream file(name, core::fmCreate);
    file.WriteBuffer(data.data(), static_cast<int>(data.size()));
}

bool IsBinary(const std::string& data)
{
    return data.size() >= 4 && std::memcmp(data.data(), filing::FilerSignature, 4) == 0;
}

std::string ToText(const std::string& binary)
{
    core::TStringStream input{binary};
    core::TStringStream output;
    filing::ObjectBinaryToText(input, output);
    return output.DataString();
}

std::string ToBinary(const std::string& text)
{
    core::TStringStream input{text};
    core::TStringStream output;
    filing::ObjectTextToBinary(input, output);
    return output.DataString();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "--to-binary") != 0 && std::strcmp(argv[1], "--to-text") != 0)) {
        std::fputs(Usage, stderr);
        return 2;
    }
    bool toBinary = std::strcmp(argv[1], "--to-binary") == 0;
    try {
        std::string input = ReadInput(argv[2]);
        // Whatever the input, it passes through both forms once, so that a
        // malformed input is reported before anything is written.
        std::string binary = IsBinary(input) ? input : ToBinary(input);
        std::string text = ToText(binary);
        WriteOutput(argv[3], toBinary ? binary : text);
    } catch (const core::Exception& e) {
        // Messages are GBK text; the terminal takes UTF-8.
        std::fprintf(stderr, "form-convert: %s\n", core::AnsiToUtf8(e.Message()).c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "form-convert: %s\n", e.what());
        return 1;
    }
    return 0;
}
