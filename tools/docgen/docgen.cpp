// docgen: turns one program page of docs/ into its man page and into the help texts the
// program prints, so that the three never disagree.
//
//   docgen man  PAGE.md OUT.6    a man page (section 6)
//   docgen help PAGE.md OUT.inc  a C++ table of the page's commands for `help COMMAND`
//
// A page is a small subset of Markdown: "# program" then a one-line summary, "## Section"
// headings, and under "## Commands" one "### `usage`" heading per command whose first word
// is the command's name. Bodies are paragraphs, "- " lists, ``` blocks and | tables |;
// inline `code`, **bold** and [text](link) are understood.

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

enum class Kind { Paragraph, Bullet, Code, Row };

struct Block {
    Kind kind;
    std::vector<std::string> cells; // one text, or a table row's cells; a code block's lines
};

struct Section {
    int level = 2;       // 2: a section, 3: a command
    std::string heading; // without the #s (and without the backticks of a command)
    std::vector<Block> blocks;
};

struct Page {
    std::string program, summary;
    std::vector<Section> sections;
};

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

bool StartsWith(const std::string& s, const char* p) {
    return s.rfind(p, 0) == 0;
}

std::string StripTicks(std::string s) {
    s = Trim(s);
    if (s.size() >= 2 && s.front() == '`' && s.back() == '`') s = s.substr(1, s.size() - 2);
    return s;
}

std::vector<std::string> SplitRow(const std::string& line) {
    // Cells are separated by '|' outside backticks; "\|" is a literal bar.
    std::vector<std::string> cells;
    std::string cell;
    bool code = false;
    for (size_t i = 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size() && line[i + 1] == '|') {
            cell += '|';
            ++i;
        } else if (c == '`') {
            code = !code;
            cell += c;
        } else if (c == '|' && !code) {
            cells.push_back(Trim(cell));
            cell.clear();
        } else {
            cell += c;
        }
    }
    return cells;
}

Page Read(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    Page page;
    std::string line, paragraph;
    std::vector<std::string> code;
    bool inCode = false, bullet = false;
    Section* current = nullptr;
    int lineNo = 0;
    auto flush = [&] {
        if (!paragraph.empty()) {
            if (!current) {
                if (page.summary.empty())
                    page.summary = paragraph;
                else
                    throw std::runtime_error(path + ": text before the first section");
            } else {
                current->blocks.push_back({bullet ? Kind::Bullet : Kind::Paragraph, {paragraph}});
            }
        }
        paragraph.clear();
        bullet = false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (inCode) {
            if (StartsWith(line, "```")) {
                current->blocks.push_back({Kind::Code, code});
                code.clear();
                inCode = false;
            } else {
                code.push_back(line);
            }
            continue;
        }
        std::string t = Trim(line);
        if (StartsWith(line, "```")) {
            flush();
            if (!current) throw std::runtime_error(path + ": code before the first section");
            inCode = true;
        } else if (StartsWith(line, "# ")) {
            flush();
            page.program = Trim(line.substr(2));
        } else if (StartsWith(line, "## ") || StartsWith(line, "### ")) {
            flush();
            int level = line[2] == '#' ? 3 : 2;
            page.sections.push_back({level, StripTicks(line.substr(level + 1)), {}});
            current = &page.sections.back();
        } else if (t.empty()) {
            flush();
        } else if (StartsWith(t, "|")) {
            flush();
            if (!current) throw std::runtime_error(path + ": table before the first section");
            if (t.find("---") != std::string::npos &&
                t.find_first_not_of("|-: ") == std::string::npos) {
                // The row above the separator is the table's header: the page shows it,
                // the man page and the help text need only the entries.
                if (!current->blocks.empty() && current->blocks.back().kind == Kind::Row)
                    current->blocks.pop_back();
                continue;
            }
            current->blocks.push_back({Kind::Row, SplitRow(t)});
        } else if (StartsWith(t, "- ")) {
            flush();
            paragraph = t.substr(2);
            bullet = true;
        } else if (StartsWith(line, "![")) {
            flush(); // pictures are for the web page only
        } else {
            paragraph += (paragraph.empty() ? "" : " ") + t;
        }
    }
    flush();
    if (inCode) throw std::runtime_error(path + ": unclosed code block");
    if (page.program.empty()) throw std::runtime_error(path + ": no '# program' title");
    return page;
}

// Inline markup -----------------------------------------------------------------------

// Calls emit(text, bold) for each run of the text with its markup removed.
template <class Emit> void Inline(const std::string& s, Emit emit) {
    std::string run;
    size_t i = 0;
    auto out = [&](bool bold) {
        if (!run.empty()) emit(run, bold);
        run.clear();
    };
    while (i < s.size()) {
        if (s[i] == '`') {
            size_t e = s.find('`', i + 1);
            if (e == std::string::npos) e = s.size();
            out(false);
            run = s.substr(i + 1, e - i - 1);
            out(true);
            i = e + 1;
        } else if (s.compare(i, 2, "**") == 0) {
            size_t e = s.find("**", i + 2);
            if (e == std::string::npos) e = s.size();
            out(false);
            run = s.substr(i + 2, e - i - 2);
            out(true);
            i = e + 2;
        } else if (s[i] == '[') {
            size_t m = s.find("](", i), e = m == std::string::npos ? m : s.find(')', m);
            if (e == std::string::npos) {
                run += s[i++];
                continue;
            }
            out(false);
            Inline(s.substr(i + 1, m - i - 1), emit);
            i = e + 1;
        } else {
            run += s[i++];
        }
    }
    out(false);
}

std::string Plain(const std::string& s) {
    std::string r;
    Inline(s, [&](const std::string& t, bool) { r += t; });
    return r;
}

// Man page ----------------------------------------------------------------------------

std::string RoffEscape(const std::string& s) {
    std::string r;
    for (char c : s) {
        if (c == '\\')
            r += "\\e";
        else if (c == '-')
            r += "\\-";
        else
            r += c;
    }
    return r;
}

std::string Roff(const std::string& s) {
    std::string r;
    Inline(s, [&](const std::string& t, bool bold) {
        r += bold ? "\\fB" + RoffEscape(t) + "\\fR" : RoffEscape(t);
    });
    // A line that starts with a dot or a quote would be read as a request.
    if (!r.empty() && (r[0] == '.' || r[0] == '\'')) r = "\\&" + r;
    return r;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void WriteBlocks(std::ostream& out, const std::vector<Block>& blocks, bool indented) {
    bool first = true;
    for (const auto& b : blocks) {
        switch (b.kind) {
        case Kind::Paragraph:
            out << (indented ? (first ? "" : ".IP\n") : ".PP\n") << Roff(b.cells[0]) << "\n";
            break;
        case Kind::Bullet:
            out << ".IP \\(bu 2\n" << Roff(b.cells[0]) << "\n";
            break;
        case Kind::Code:
            out << ".PP\n.RS 4\n.nf\n";
            for (const auto& l : b.cells)
                out << (l.empty() || (l[0] != '.' && l[0] != '\'') ? "" : "\\&") << RoffEscape(l)
                    << "\n";
            out << ".fi\n.RE\n";
            break;
        case Kind::Row:
            out << ".TP\n" << Roff(b.cells.empty() ? "" : b.cells[0]) << "\n";
            for (size_t i = 1; i < b.cells.size(); ++i) out << Roff(b.cells[i]) << "\n";
            break;
        }
        first = false;
    }
}

void WriteMan(const Page& page, std::ostream& out) {
    out << ".\\\" Generated by tools/docgen from docs/" << page.program << ".md: edit that page.\n";
    out << ".TH " << Upper(page.program) << " 6 \"\" \"vorlix\" \"Games\"\n";
    out << ".SH NAME\n" << RoffEscape(page.program) << " \\- " << Roff(page.summary) << "\n";
    for (const auto& s : page.sections) {
        if (s.level == 2) {
            out << ".SH " << Upper(Roff(s.heading)) << "\n";
            WriteBlocks(out, s.blocks, false);
        } else {
            out << ".TP\n\\fB" << RoffEscape(s.heading) << "\\fR\n";
            WriteBlocks(out, s.blocks, true);
        }
    }
}

// Help texts --------------------------------------------------------------------------

void Wrap(std::string& out, const std::string& text, const std::string& first,
          const std::string& rest) {
    const size_t width = 79;
    std::istringstream words(text);
    std::string word, line = first;
    bool empty = true;
    while (words >> word) {
        if (!empty && line.size() + 1 + word.size() > width) {
            out += line + "\n";
            line = rest;
            empty = true;
        }
        line += (empty ? "" : " ") + word;
        empty = false;
    }
    out += line + "\n";
}

std::string HelpText(const std::vector<Block>& blocks) {
    std::string r;
    for (const auto& b : blocks) {
        if (!r.empty()) r += "\n";
        switch (b.kind) {
        case Kind::Paragraph:
            Wrap(r, Plain(b.cells[0]), "  ", "  ");
            break;
        case Kind::Bullet:
            Wrap(r, Plain(b.cells[0]), "  - ", "    ");
            break;
        case Kind::Code:
            for (const auto& l : b.cells) r += "    " + l + "\n";
            break;
        case Kind::Row:
            r += "  " + Plain(b.cells.empty() ? "" : b.cells[0]) + "\n";
            for (size_t i = 1; i < b.cells.size(); ++i)
                Wrap(r, Plain(b.cells[i]), "      ", "      ");
            break;
        }
    }
    return r;
}

std::string CString(const std::string& s) {
    std::string r = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') r += '\\';
        if (c == '\n')
            r += "\\n\"\n    \"";
        else
            r += c;
    }
    return r + "\"";
}

std::string FirstSentence(const std::vector<Block>& blocks) {
    if (blocks.empty()) return "";
    std::string p = Plain(blocks[0].cells.empty() ? "" : blocks[0].cells[0]);
    size_t e = p.find(". ");
    if (e != std::string::npos) p = p.substr(0, e + 1);
    return p;
}

void WriteHelp(const Page& page, std::ostream& out) {
    out << "// Generated by tools/docgen from docs/" << page.program << ".md: edit that page.\n";
    out << "// { name, usage, summary, text } of every command, in the page's order.\n";
    bool commands = false;
    for (const auto& s : page.sections) {
        if (s.level == 2) {
            commands = s.heading == "Commands";
            continue;
        }
        if (!commands) continue;
        std::string name = s.heading.substr(0, s.heading.find(' '));
        out << "{" << CString(name) << ", " << CString(s.heading) << ",\n    "
            << CString(FirstSentence(s.blocks)) << ",\n    " << CString(HelpText(s.blocks))
            << "},\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string(argv[1]) != "man" && std::string(argv[1]) != "help")) {
        std::fprintf(stderr, "usage: docgen man|help PAGE.md OUT\n");
        return 2;
    }
    try {
        Page page = Read(argv[2]);
        std::ostringstream text;
        if (std::string(argv[1]) == "man")
            WriteMan(page, text);
        else
            WriteHelp(page, text);
        std::ofstream out(argv[3], std::ios::binary);
        out << text.str();
        if (!out) throw std::runtime_error(std::string("cannot write ") + argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "docgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
