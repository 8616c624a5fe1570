#include "extrema/extrema_file.h"

#include <charconv>
#include <string_view>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/small_file.h"

namespace lumera {

namespace {

// A list found on the largest picture Lumera reads stays far below this.
constexpr std::size_t kMaxExtremaFileBytes = std::size_t(256) << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads integers as the file was written: each may be preceded by blanks, tabs
// and line ends, and one missing at the end of the file reads as 0.
class IntegerReader {
public:
    IntegerReader(const std::string& path, std::string_view text) : path_(path), text_(text) {}

    int32_t Next()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsBlank(text_[pos_])) ++pos_;
        if (start == pos_) return 0;
        const std::string_view token = text_.substr(start, pos_ - start);
        const char* first = token.data();
        if (token.size() > 1 && *first == '+' && first[1] != '-') ++first;
        int32_t value = 0;
        const auto [next, error] = std::from_chars(first, token.data() + token.size(), value);
        if (error != std::errc() || next != token.data() + token.size())
            throw FileError("Soubor " + path_ + ": \"" + std::string(token.substr(0, 40)) + "\" na řádku " +
                            std::to_string(LineOf(start)) + " není celé číslo.");
        return value;
    }

    // What follows the last number on its line is a comment to the reader.
    void SkipRestOfLine()
    {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
        if (pos_ < text_.size()) ++pos_;
    }

private:
    std::size_t LineOf(std::size_t offset) const
    {
        std::size_t line = 1;
        for (std::size_t i = 0; i < offset; ++i) line += text_[i] == '\n';
        return line;
    }

    const std::string& path_;
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

TExtremaList ReadExtremaFile(const std::string& path)
{
    const std::string text = ReadSmallFile(path, kMaxExtremaFileBytes);
    IntegerReader reader(path, text);
    const int32_t count = reader.Next();
    reader.SkipRestOfLine();
    if (count < 0) throw FileError("Soubor " + path + ": počet bodů " + std::to_string(count) + " je záporný.");
    // Points missing at the end read as (0, 0), but no file of this length can
    // announce more points than it has characters.
    if (std::size_t(count) > text.size())
        throw FileError("Soubor " + path + ": počet bodů " + std::to_string(count) + " je větší, než soubor o " +
                        std::to_string(text.size()) + " bajtech může obsahovat.");
    TExtremaList points(static_cast<std::size_t>(count));
    for (TExtremum& point : points) {
        point.X = reader.Next();
        point.Y = reader.Next();
        reader.SkipRestOfLine();
    }
    return points;
}

void WriteExtremaFile(const std::string& path, const TExtremaList& points)
{
    std::string text = std::to_string(points.size()) + "\r\n";
    for (const TExtremum& point : points) text += std::to_string(point.X) + ' ' + std::to_string(point.Y) + "\r\n";
    WriteFileAtomically(path, [&](std::ostream& out) { out.write(text.data(), std::streamsize(text.size())); });
}

}  // namespace lumera
