#include "engine_list.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace gomocup {

namespace {

// Splits at blanks; "double quotes" group. False for an unclosed quote.
bool SplitWords(const std::string& line, std::vector<std::string>& words) {
    words.clear();
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\r')) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return !quoted;
}

} // namespace

EngineList ParseEngineList(const std::string& text) {
    EngineList list;
    double timeout = kDefaultTimeoutSeconds, match = 0.0;
    std::string log;
    std::vector<std::string> info;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    auto problem = [&](const std::string& what) {
        list.Problems.push_back("line " + std::to_string(number) + ": " + what);
    };
    while (std::getline(in, line)) {
        ++number;
        std::vector<std::string> words;
        if (!SplitWords(line, words)) {
            problem("unclosed quote");
            continue;
        }
        if (words.empty() || words[0][0] == '#') continue;
        if (words[0] == "timeout" || words[0] == "match") {
            const bool isMatch = words[0] == "match";
            char* end = nullptr;
            errno = 0;
            double v = words.size() == 2 ? std::strtod(words[1].c_str(), &end) : -1.0;
            if (words.size() != 2 || errno || *end || !(isMatch ? v >= 0.0 : v > 0.0) ||
                v > 86400.0)
                problem(words[0] + (isMatch ? " needs a number of seconds, 0 or more"
                                            : " needs a number of seconds above 0"));
            else
                (isMatch ? match : timeout) = v;
        } else if (words[0] == "log") {
            if (words.size() != 2)
                problem("log needs one file name");
            else
                log = words[1];
        } else if (words[0] == "info") {
            if (words.size() != 3)
                problem("info needs a key and a value");
            else
                info.push_back(words[1] + " " + words[2]);
        } else if (words.size() < 2) {
            problem("engine " + words[0] + " has no command");
        } else if (words[0].size() > kNameLength) {
            problem("engine name " + words[0] + " is longer than 12 characters");
        } else if (FindEngine(list, words[0])) {
            problem("engine " + words[0] + " is listed twice");
        } else {
            EngineEntry e;
            e.Name = words[0];
            e.Command.assign(words.begin() + 1, words.end());
            e.TimeoutSeconds = timeout;
            e.Info = info;
            e.MatchSeconds = match;
            e.Log = log;
            list.Engines.push_back(std::move(e));
        }
    }
    return list;
}

EngineList ReadEngineList(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        EngineList list;
        list.Problems.push_back(path + " cannot be read");
        return list;
    }
    std::stringstream text;
    text << file.rdbuf();
    return ParseEngineList(text.str());
}

const EngineEntry* FindEngine(const EngineList& list, const std::string& name) {
    const std::string key = name.substr(0, kNameLength);
    for (const auto& e : list.Engines)
        if (e.Name == key) return &e;
    return nullptr;
}

long long EngineTimeMs(double seconds) {
    const double ms = seconds * 1000.0;
    const double margin = std::min(ms / 2.0, std::max(500.0, ms / 5.0));
    return static_cast<long long>(ms - margin);
}

std::string ResolveProgram(const std::string& command, const std::string& folder) {
    if (command.empty() || command[0] == '/' || command.find('/') == std::string::npos)
        return command;
    return folder + command;
}

} // namespace gomocup
