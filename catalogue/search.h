// Finding constants by a part of their text: a text that names no category lists the entries whose
// text contains it, from every category.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A short text can match most of a large catalogue: the list shows the first matches only.
constexpr size_t SEARCH_MAX_ROWS = 1000;

// One entry found.
struct CatalogueMatch {
    uint32_t text;     // where its text starts in the catalogue's text block
    uint32_t category; // the index of its category
};

// True when ShowCategory lists the entries containing a text that names no category and is no
// command: it has at least two characters and begins no group name (ASCII letters folded), since
// typing a category's first letters completes the category instead.
bool IsSearchText(const std::string& text);

// The entries whose text contains the text, ASCII letters folded: in file order, each distinct
// text once (its first entry), at most SEARCH_MAX_ROWS.
std::vector<CatalogueMatch> FindEntriesContaining(const std::string& text);

// Refills the entry list with those entries. The colours alternate as in a category's list and
// start afresh with each change of category, so that each run of a category's rows begins as that
// category's own list does.
void ShowEntriesContaining(const std::string& text);
