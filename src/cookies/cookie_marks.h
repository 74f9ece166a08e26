// The keep and removal marks of Mozilla-based cookies and the cookies they name. Pure: no
// window or system calls, so the rules also build natively for the fuzz targets.
//
// A mark in the whole-identity form (CookieMarkName) names exactly one cookie. A mark of the
// older title form ("domain - name") names the one cookie with that title; when two cookies
// share the title, a removal mark of that form removes neither, and a keep mark of that form
// keeps both (keeping too much loses nothing).
#pragma once

#include "cookies/cookie_text.h"

#include <map>
#include <set>
#include <string>
#include <unordered_set>

class CookieMarks {
public:
    void AddKeep(const std::string& mark);
    void AddRemoval(const std::string& mark);
    // A filter word: one equal to a cookie's title hides that cookie in the list.
    void AddWord(const std::string& word);
    // Whether Count must see every cookie of the file before the rules are asked.
    bool HasTitleMarks() const { return !titles_.empty(); }
    void Count(const CookieLine& cookie);

    bool IsKept(const CookieLine& cookie) const;
    // Its own removal mark, or (unless kept) the removal mark of a title it alone has.
    bool IsRemoved(const CookieLine& cookie) const;
    // Removed, or not kept and titled as a filter word: the list leaves it out.
    bool IsHidden(const CookieLine& cookie) const;
    // No other cookie of the file has its title, so a title mark is its own.
    bool OwnsTitle(const CookieLine& cookie) const;

private:
    struct Title {
        bool keep = false;
        bool removal = false;
        int cookies = 0;
    };
    const Title* TitleOf(const CookieLine& cookie) const;
    // The cookie's folded title into folded_, whose room serves every line of a pass.
    void FoldTitle(const CookieLine& cookie) const;
    mutable std::string folded_;
    void AddTitle(const std::string& mark, bool keep);
    // Whether a whole-identity mark of `marks` names this cookie. Only a cookie whose name
    // some mark ends in has its mark made: a pass asks this of every line.
    bool Names(const std::set<std::string>& marks, const std::set<std::string, std::less<>>& names,
               const CookieLine& cookie) const;
    std::set<std::string> keep_;
    std::set<std::string> removal_;
    std::set<std::string, std::less<>> keepNames_;     // the cookie names keep_ holds marks of
    std::set<std::string, std::less<>> removalNames_;  // the same of removal_
    std::set<std::string> words_;         // folded
    std::map<std::string, Title> titles_;  // by folded title
    // Every folded text that follows a " - " in a title: the names a titled cookie can have,
    // so that most lines are passed over without their title being made.
    std::unordered_set<std::string> titleNames_;
};
