#include "core/command_line.h"

namespace {
bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// Reads the argument at p into `out` and returns where the next one may begin.
const char16_t* readArgument(const char16_t* p, std::u16string& out) {
    bool quoted = false;
    for (; *p != 0 && (quoted || !isBlank(*p)); ++p) {
        if (*p == u'"')
            quoted = !quoted;
        else
            out += *p;
    }
    return p;
}
} // namespace

std::vector<std::u16string> commandLineArguments(const char16_t* commandLine) {
    std::vector<std::u16string> arguments;
    if (commandLine == nullptr)
        return arguments;
    bool program = true;
    for (const char16_t* p = commandLine;;) {
        while (isBlank(*p))
            ++p;
        if (*p == 0)
            break;
        std::u16string argument;
        p = readArgument(p, argument);
        if (!program && !argument.empty())
            arguments.push_back(std::move(argument));
        program = false;
    }
    return arguments;
}

std::u16string packPaths(const std::vector<std::u16string>& paths) {
    std::u16string block;
    for (const std::u16string& path : paths) {
        block += path;
        block += u'\0';
    }
    return block;
}

std::vector<std::u16string> unpackPaths(const char16_t* block, std::size_t units) {
    std::vector<std::u16string> paths;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= units; ++i) {
        if (i < units && block[i] != 0)
            continue;
        if (i > start)
            paths.emplace_back(block + start, i - start);
        start = i + 1;
    }
    return paths;
}
