#include "tools/account-store/PasswordPrompt.h"

#include <iostream>
#include <sodium.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace tools {

namespace {

std::string ReadLine(std::istream& in)
{
    std::string line;
    if (!std::getline(in, line))
        throw std::runtime_error("no password given on standard input");
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// Turns the terminal's echo off for as long as it lives.
class EchoOff {
public:
    EchoOff()
    {
        if (tcgetattr(STDIN_FILENO, &saved_) == 0) {
            termios quiet = saved_;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            active_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
        }
    }
    ~EchoOff()
    {
        if (active_)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    termios saved_{};
    bool active_ = false;
};

std::string Ask(const char* prompt)
{
    std::cerr << prompt << std::flush;
    std::string line;
    {
        EchoOff quiet;
        line = ReadLine(std::cin);
    }
    std::cerr << std::endl;
    return line;
}

}  // namespace

std::string ReadPassword(bool confirm)
{
    if (!isatty(STDIN_FILENO))
        return ReadLine(std::cin);
    std::string password = Ask("Password for sa: ");
    if (confirm && Ask("Repeat the password: ") != password)
        throw std::runtime_error("the two passwords differ");
    return password;
}

std::string GeneratePassword(int length)
{
    static const char alphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789";
    if (sodium_init() < 0)
        throw std::runtime_error("the random number source cannot start");
    std::string password;
    for (int i = 0; i < length; ++i)
        password += alphabet[randombytes_uniform(sizeof alphabet - 1)];
    return password;
}

}  // namespace tools
