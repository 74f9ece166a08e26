// The marks of Mozilla-based cookies (see cookie_marks.h).
#include "cookies/cookie_marks.h"

namespace {

// Registry names compare without regard to case; titles are matched the same way.
void Fold(std::string& text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
}

std::string Folded(const std::string& text)
{
    std::string folded = text;
    Fold(folded);
    return folded;
}

// The cookie name a whole-identity mark holds: the text between its last two tabs.
std::string MarkedName(const std::string& mark)
{
    size_t last = mark.rfind('\t');
    size_t before = last == std::string::npos || last == 0 ? std::string::npos : mark.rfind('\t', last - 1);
    return before == std::string::npos ? std::string() : mark.substr(before + 1, last - before - 1);
}

}  // namespace

void CookieMarks::AddKeep(const std::string& mark)
{
    if (IsTitleMark(mark)) {
        AddTitle(mark, true);
    } else {
        keep_.insert(mark);
        keepNames_.insert(MarkedName(mark));
    }
}

void CookieMarks::AddRemoval(const std::string& mark)
{
    if (IsTitleMark(mark)) {
        AddTitle(mark, false);
    } else {
        removal_.insert(mark);
        removalNames_.insert(MarkedName(mark));
    }
}

void CookieMarks::AddTitle(const std::string& mark, bool keep)
{
    std::string folded = Folded(mark);
    Title& title = titles_[folded];
    (keep ? title.keep : title.removal) = true;
    for (size_t at = folded.find(" - "); at != std::string::npos; at = folded.find(" - ", at + 1))
        titleNames_.insert(folded.substr(at + 3));
}

bool CookieMarks::Names(const std::set<std::string>& marks, const std::set<std::string, std::less<>>& names,
                        const CookieLine& cookie) const
{
    return !marks.empty() && names.count(cookie.name) && marks.count(CookieMarkName(cookie));
}

void CookieMarks::AddWord(const std::string& word) { words_.insert(Folded(word)); }

void CookieMarks::Count(const CookieLine& cookie)
{
    if (cookie.domain.empty()) return;
    if (TitleOf(cookie)) ++titles_[folded_].cookies;  // folded_ holds the title found
}

void CookieMarks::FoldTitle(const CookieLine& cookie) const
{
    CookieNameInto(cookie, folded_);
    Fold(folded_);
}

const CookieMarks::Title* CookieMarks::TitleOf(const CookieLine& cookie) const
{
    if (titles_.empty()) return nullptr;
    folded_ = cookie.name;
    Fold(folded_);
    if (!titleNames_.count(folded_)) return nullptr;
    FoldTitle(cookie);
    auto title = titles_.find(folded_);
    return title == titles_.end() ? nullptr : &title->second;
}

bool CookieMarks::OwnsTitle(const CookieLine& cookie) const
{
    const Title* title = TitleOf(cookie);
    return title && title->cookies == 1;
}

bool CookieMarks::IsKept(const CookieLine& cookie) const
{
    const Title* title = TitleOf(cookie);
    return Names(keep_, keepNames_, cookie) || (title && title->keep);
}

bool CookieMarks::IsRemoved(const CookieLine& cookie) const
{
    if (Names(removal_, removalNames_, cookie)) return true;
    const Title* title = TitleOf(cookie);
    return title && title->removal && title->cookies == 1 && !IsKept(cookie);
}

bool CookieMarks::IsHidden(const CookieLine& cookie) const
{
    if (IsRemoved(cookie)) return true;
    if (IsKept(cookie) || words_.empty()) return false;
    FoldTitle(cookie);
    return words_.count(folded_) > 0;
}
