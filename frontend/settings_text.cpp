#include "settings_text.h"

#include <cctype>
#include <utility>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// The range [start, end) of the text without blanks at either end.
void trim(const std::string& text, size_t& start, size_t& end)
{
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
}

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

SettingsText::SettingsText(std::string bytes) : bytes_(std::move(bytes))
{
    parse();
}

void SettingsText::parse()
{
    lines_.clear();
    valuePlaces_.clear();
    int number = 0;
    for (size_t start = 0; start < bytes_.size();) {
        size_t lineEnd = bytes_.find('\n', start);
        if (lineEnd == std::string::npos)
            lineEnd = bytes_.size();
        ++number;
        size_t contentEnd = bytes_.find('#', start);
        if (contentEnd == std::string::npos || contentEnd > lineEnd)
            contentEnd = lineEnd;
        size_t contentStart = start;
        trim(bytes_, contentStart, contentEnd);
        if (contentStart < contentEnd) {
            Line line = {number, false, "", "", bytes_.substr(contentStart, contentEnd - contentStart)};
            Place place = {contentEnd, contentEnd};
            const size_t equals = bytes_.find('=', contentStart);
            if (equals < contentEnd) {
                size_t nameStart = contentStart, nameEnd = equals;
                trim(bytes_, nameStart, nameEnd);
                place = {equals + 1, contentEnd};
                trim(bytes_, place.start, place.end);
                line.hasEquals = true;
                line.name = lowerCase(bytes_.substr(nameStart, nameEnd - nameStart));
                line.value = bytes_.substr(place.start, place.end - place.start);
            }
            lines_.push_back(line);
            valuePlaces_.push_back(place);
        }
        start = lineEnd + 1;
    }
}

void SettingsText::setValue(const std::string& name, const std::string& value)
{
    const std::string wanted = lowerCase(name);
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].hasEquals && lines_[i].name == wanted) {
            bytes_.replace(valuePlaces_[i].start, valuePlaces_[i].end - valuePlaces_[i].start, value);
            parse();
            return;
        }
    }
    if (!bytes_.empty() && bytes_.back() != '\n')
        bytes_ += '\n';
    bytes_ += name + " = " + value + "\n";
    parse();
}
