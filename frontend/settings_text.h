// The settings file as text: one "name = value" a line, "#" starting a
// comment, blank lines allowed, names in any case. The text keeps every
// byte as it was read, so that a change rewrites the value of one line, or
// adds a line at the end, and leaves every other byte of the player's file
// (comments, order, lines the game does not know) as it stands.
#pragma once

#include <string>
#include <vector>

class SettingsText {
public:
    // A line that says something: neither blank nor only a comment.
    struct Line {
        int number;          // from 1
        bool hasEquals;      // written as "name = value"
        std::string name;    // lower case, spaces around it trimmed
        std::string value;   // as written, spaces around it trimmed
        std::string content; // the line without its comment, trimmed
    };

    explicit SettingsText(std::string bytes = "");

    const std::string& bytes() const { return bytes_; }
    const std::vector<Line>& lines() const { return lines_; }

    // Sets a value: in place of the value on the first line of that name,
    // or on a new line at the end.
    void setValue(const std::string& name, const std::string& value);

private:
    // Where a line's value stands in the bytes.
    struct Place {
        size_t start;
        size_t end;
    };

    void parse();

    std::string bytes_;
    std::vector<Line> lines_;
    std::vector<Place> valuePlaces_;  // one per line of lines_
};
