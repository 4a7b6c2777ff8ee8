// account-store: the embedded store's command-line companion. It makes a
// store, sets its password, adds and imports account sets and lists them.
// Text on the command line, in files and on the terminal is UTF-8; the store
// library takes the code page's text.

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"
#include "platform/data/EmbeddedStore.h"
#include "platform/system/Paths.h"
#include "tools/account-store/Csv.h"
#include "tools/account-store/PasswordPrompt.h"

using data::TEmbeddedStore;

namespace {

constexpr const char* Usage = R"usage(Usage: account-store [--store PATH] COMMAND [ARGUMENTS]

Keeps the embedded store of the account-set tool: the file that the tool
signs in to when the server name is "." or "(local)".

Commands:
  init [--demo] [--if-missing]
                      create the store with user sa. The password is read
                      from standard input, or asked twice on a terminal.
                      --demo makes up a password, prints it once and adds a
                      few demonstration account sets; --if-missing does
                      nothing (and succeeds) when the store exists already.
  set-password        give sa a new password (read as for init)
  add NAME DATABASE [--hidden]
                      add one account set; --hidden sets its hidden flag
  import FILE.csv     add the account sets of a UTF-8 CSV file with the
                      header AccountName,AccountDb,Tag (Tag 0 or 1), all or
                      none of them
  list                print every account set as CSV, in the import format

Options:
  --store PATH        the store file (default: $XDG_DATA_HOME/account-tool/master.db)
  --help              show this text

The exit status is 0 on success, 1 when the command fails and 2 for a
command line that cannot be understood; errors are one line on standard error.
)usage";

// A command line that cannot be understood.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    std::string Store;
    std::string Command;
    std::vector<std::string> Arguments;
    std::vector<std::string> Flags;

    bool Has(const std::string& flag) const
    {
        for (const std::string& f : Flags)
            if (f == flag)
                return true;
        return false;
    }
};

CommandLine Parse(int argc, char** argv)
{
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--store") {
            if (++i >= argc)
                throw UsageError("--store needs a path");
            line.Store = argv[i];
        } else if (arg.rfind("--store=", 0) == 0) {
            line.Store = arg.substr(8);
        } else if (arg.rfind("--", 0) == 0) {
            line.Flags.push_back(arg);
        } else if (line.Command.empty()) {
            line.Command = arg;
        } else {
            line.Arguments.push_back(arg);
        }
    }
    return line;
}

void Expect(const CommandLine& line, size_t arguments, std::initializer_list<const char*> flags)
{
    if (line.Arguments.size() != arguments)
        throw UsageError(line.Command + " takes " + std::to_string(arguments) + " argument" +
                         (arguments == 1 ? "" : "s"));
    for (const std::string& flag : line.Flags) {
        bool known = false;
        for (const char* f : flags)
            known = known || flag == f;
        if (!known)
            throw UsageError("unknown option " + flag + " for " + line.Command);
    }
}

std::string StorePath(const CommandLine& line)
{
    return line.Store.empty() ? TEmbeddedStore::PathFor("master") : line.Store;
}

std::vector<TEmbeddedStore::Account> DemoAccounts()
{
    return {
        {"演示账套", "demo_2024", false},
        {"北京分公司", "beijing_2024", false},
        {"上海分公司", "shanghai_2024", false},
        {"历史账套 2019", "history_2019", true},
        {"测试账套", "test_db", true},
    };
}

int Init(const CommandLine& line)
{
    Expect(line, 0, {"--demo", "--if-missing"});
    std::string path = StorePath(line);
    if (line.Has("--if-missing") && sys::FileExists(path))
        return 0;
    bool demo = line.Has("--demo");
    std::string password = demo ? tools::GeneratePassword(12) : tools::ReadPassword(true);
    TEmbeddedStore store = TEmbeddedStore::Create(path, core::Utf8ToAnsi(password));
    if (demo)
        store.AddAccounts(DemoAccounts());
    std::cout << "Created the store " << path << "\n";
    if (demo)
        std::cout << "The password of sa is " << password << " (shown only this once)\n";
    return 0;
}

int SetPassword(const CommandLine& line)
{
    Expect(line, 0, {});
    TEmbeddedStore store = TEmbeddedStore::Open(StorePath(line));
    store.SetPassword(data::StoreAdminUser, core::Utf8ToAnsi(tools::ReadPassword(true)));
    return 0;
}

// The store keeps the code page's text. Input that would not come back
// whole (a character the code page lacks would become "?", and two names
// could then become one) is refused, not stored.
core::AnsiString StoreText(const std::string& utf8, const std::string& what)
{
    core::AnsiString text = core::Utf8ToAnsi(utf8);
    if (core::AnsiToUtf8(text) != utf8)
        throw std::runtime_error(what + " \"" + utf8 + "\" holds characters that the store's code page (GBK) cannot hold");
    return text;
}

int Add(const CommandLine& line)
{
    Expect(line, 2, {"--hidden"});
    TEmbeddedStore::Account account{StoreText(line.Arguments[0], "the account name"),
                                    StoreText(line.Arguments[1], "the database name"), line.Has("--hidden")};
    TEmbeddedStore store = TEmbeddedStore::Open(StorePath(line));
    store.AddAccount(account);
    return 0;
}

bool ParseTag(const std::string& text, bool& hidden)
{
    std::string tag = core::LowerCase(core::Trim(text));
    if (tag.empty() || tag == "0" || tag == "false") {
        hidden = false;
        return true;
    }
    if (tag == "1" || tag == "true") {
        hidden = true;
        return true;
    }
    return false;
}

int Import(const CommandLine& line)
{
    Expect(line, 1, {});
    const std::string& file = line.Arguments[0];
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<tools::CsvRecord> records;
    try {
        records = tools::ParseCsv(text.str());
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(file + ": " + error.what());
    }
    auto fail = [&](int lineNo, const std::string& what) {
        throw std::runtime_error(file + ": line " + std::to_string(lineNo) + ": " + what);
    };
    const std::vector<std::string> header{"AccountName", "AccountDb", "Tag"};
    if (records.empty())
        fail(1, "the header AccountName,AccountDb,Tag is missing");
    std::vector<std::string> first = records[0].Fields;
    for (std::string& field : first)
        field = core::Trim(field);
    if (first.size() != 3 || !core::SameText(first[0], header[0]) || !core::SameText(first[1], header[1]) ||
        !core::SameText(first[2], header[2]))
        fail(records[0].Line, "the header must be AccountName,AccountDb,Tag");

    std::vector<TEmbeddedStore::Account> accounts;
    for (size_t i = 1; i < records.size(); ++i) {
        const tools::CsvRecord& record = records[i];
        if (record.Fields.size() != 3)
            fail(record.Line, "expected 3 fields, found " + std::to_string(record.Fields.size()));
        TEmbeddedStore::Account account;
        try {
            account.Name = StoreText(record.Fields[0], "the account name");
            account.Database = StoreText(record.Fields[1], "the database name");
        } catch (const std::runtime_error& error) {
            fail(record.Line, error.what());
        }
        if (account.Name.empty())
            fail(record.Line, "the account name is empty");
        if (!ParseTag(record.Fields[2], account.Hidden))
            fail(record.Line, "Tag must be 0 or 1, not \"" + record.Fields[2] + "\"");
        accounts.push_back(account);
    }
    TEmbeddedStore store = TEmbeddedStore::Open(StorePath(line));
    store.AddAccounts(accounts);
    std::cout << "Imported " << accounts.size() << " account set" << (accounts.size() == 1 ? "" : "s") << "\n";
    return 0;
}

int List(const CommandLine& line)
{
    Expect(line, 0, {});
    TEmbeddedStore store = TEmbeddedStore::Open(StorePath(line));
    std::cout << "AccountName,AccountDb,Tag\n";
    for (const TEmbeddedStore::Account& account : store.Accounts())
        std::cout << tools::CsvField(core::AnsiToUtf8(account.Name)) << ","
                  << tools::CsvField(core::AnsiToUtf8(account.Database)) << "," << (account.Hidden ? 1 : 0) << "\n";
    return 0;
}

int Run(const CommandLine& line)
{
    if (line.Command == "init")
        return Init(line);
    if (line.Command == "set-password")
        return SetPassword(line);
    if (line.Command == "add")
        return Add(line);
    if (line.Command == "import")
        return Import(line);
    if (line.Command == "list")
        return List(line);
    if (line.Command.empty())
        throw UsageError("no command given (see account-store --help)");
    throw UsageError("unknown command " + line.Command + " (see account-store --help)");
}

// One line on standard error, whatever the message held.
void Report(const std::string& utf8)
{
    std::string line = utf8;
    for (char& c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    std::cerr << "account-store: " << line << std::endl;
}

}  // namespace

int main(int argc, char** argv)
{
    CommandLine line;
    try {
        line = Parse(argc, argv);
        if (line.Has("--help") || line.Command == "help") {
            std::cout << Usage;
            return 0;
        }
        return Run(line);
    } catch (const UsageError& error) {
        Report(error.what());
        return 2;
    } catch (const core::Exception& error) {
        Report(core::AnsiToUtf8(error.Message()));
        return 1;
    } catch (const std::exception& error) {
        Report(error.what());
        return 1;
    }
}
