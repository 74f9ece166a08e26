// Cookie filters: the words under ...\Vigilark\Nuts that mark cookies for removal, held in
// one in-memory list. The same key holds the removal marks of single cookies, which name a
// cookie exactly (cookies.h) and are not in the list.
#pragma once

#include <cstddef>

const int FILTER_LIST_CAPACITY = 264;
const int FILTER_TEXT_CHARS = 512;
const int FILTER_WORD_LIMIT = 256;  // the page adds no word beyond this many items
const int FILTER_WORD = 1;          // data "1"
const int FILTER_REMOVAL_MARK = 2;  // data "2": the value's name is a removed cookie's name

#define FILTER_KEY "Software\\Brondlewick\\Vigilark\\Nuts"

// Frees the list and reads the filter words of the key again; returns the number of items.
int LoadFilterList();
void FreeFilterList();
int FilterCount();
// Item text (empty and 0 for an index out of range) and number.
int FilterText(int index, char* out, int capacity);
int FilterNumber(int index);
// The words the page shows (number 1): what the limit of FILTER_WORD_LIMIT counts.
int FilterWordCount();

// 1 when the text contains any item of the list, ignoring case; texts longer than 512
// characters and an empty list never match.
int MatchesFilter(const char* text);

// An Internet Explorer cookie file: 1 when a filter word occurs in its site (see
// SplitCookieFileName).
int MatchesCookieFile(const char* fileName);

// Writes word = "1", reloads the list and runs a filtering pass of the cookies; returns
// that pass's result.
int AddFilterWord(const char* word);
// Deletes the value of that name and reloads the list; returns its count.
int RemoveFilterWord(const char* word);
// Writes a removal mark: mark name = "2".
int MarkCookieRemoved(const char* name);
