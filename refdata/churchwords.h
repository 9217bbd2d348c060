// The words of the church-book reader: how a phrase ("Dom. XIV p. Trin.", "Die
// Andreae", "Olofsmäss") reads as church days, the table of church days it knows by
// name, and the text matching of the phrases that name none. Used by findDays
// (churchdates.cpp), which finds the days; nothing else needs it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovmir {

// A row of the table of church days (Kyrkodagar): its key (see Reading), its
// names, and its forms as folded words.
struct Feast {
    std::string key;  // "F:MM-DD", "E:n" or "A:n" (see Reading)
    std::string name, latin;
    std::vector<std::vector<std::string>> forms;  // each form's folded words, the fillers dropped
};

// The table, read from the reference database at its first use in the run.
const std::vector<Feast>& feastTable();

// One step from a church day to the day a phrase names: the n-th Sunday after or
// before it, the next or last weekday w after or before it (or on it), days added.
struct Step {
    enum Type { sundayAfter, sundayBefore, weekdayAfter, weekdayBefore, weekdayAt, plusDays } type;
    int value;  // the count of Sundays, the weekday, the days
};

// A phrase read as a church day: a key and the steps that lead from it to the day.
// Keys:
//   E:n     Easter Sunday + n days (the Sundays after Trinity are E:56+7n, those
//           after Pentecost E:49+7n, the named Sundays of Lent and Easter too)
//   A:n     the n-th Sunday in Advent (0 the Sunday before the first)
//   P:n     the n-th Sunday after Epiphany (Trettondedagen, 6 January)
//   N:1     the Sunday after Christmas (26 December to 1 January)
//   C:1     the Sunday after New Year (2 to 5 January)
//   F:MM-DD a feast on that date, or where the nation's holiday rules keep it;
//           F:MM-DD+n the n-th day after it ("Annandag jul" is F:12-25+1)
struct Reading {
    std::string key;
    std::vector<Step> steps;  // applied in order to the key's days
    bool exact = true;        // the key itself, no steps: its name can be shown
    bool weak = false;        // only begun by the phrase's words ("Pauli" of "Conversio Pauli")
};

// The readings of a phrase (without its year); allowWeak lets a phrase that only
// begins a feast's name read as it ("Pauli"). Empty where it names no church day.
std::vector<Reading> readChurchPhrase(std::string_view text, bool allowWeak);

// Whether a key is a feast the church counts Sundays from (Easter, Pentecost,
// Trinity, Christmas, Epiphany, New Year, Advent): "Annandag påsk" and the like are
// days of it.
bool countsSundays(const std::string& key);

// A text without the blanks around it (the tables' leading blank, a label's fill).
std::string bare(std::string_view s);

// The year a phrase carries as its digits: the last number of three or four digits.
std::optional<std::string> yearWord(std::string_view phrase);

// The phrase as typed without its year and the word that announces it ("Anno
// 1745", "år 1745").
std::string phraseWithoutYear(std::string_view phrase);

// The words of a text for matching, and whether the words of a search begin words
// of a text in order (a number matches only itself).
std::vector<std::string> textWords(std::string_view text);
bool wordsBegin(const std::vector<std::string>& text, const std::vector<std::string>& search);

}  // namespace tovmir
