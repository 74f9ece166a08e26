// The marks of Mozilla-based cookies (see cookie_marks.h).
#include "cookies/cookie_marks.h"

namespace {

// Registry names compare without regard to case; titles are matched the same way.
std::string Folded(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return folded;
}

}  // namespace

void CookieMarks::AddKeep(const std::string& mark)
{
    if (IsTitleMark(mark))
        titles_[Folded(mark)].keep = true;
    else
        keep_.insert(mark);
}

void CookieMarks::AddRemoval(const std::string& mark)
{
    if (IsTitleMark(mark))
        titles_[Folded(mark)].removal = true;
    else
        removal_.insert(mark);
}

void CookieMarks::AddWord(const std::string& word) { words_.insert(Folded(word)); }

void CookieMarks::Count(const CookieLine& cookie)
{
    if (cookie.domain.empty() || titles_.empty()) return;
    auto title = titles_.find(Folded(CookieName(cookie)));
    if (title != titles_.end()) ++title->second.cookies;
}

const CookieMarks::Title* CookieMarks::TitleOf(const CookieLine& cookie) const
{
    if (titles_.empty()) return nullptr;
    auto title = titles_.find(Folded(CookieName(cookie)));
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
    return keep_.count(CookieMarkName(cookie)) || (title && title->keep);
}

bool CookieMarks::IsRemoved(const CookieLine& cookie) const
{
    if (removal_.count(CookieMarkName(cookie))) return true;
    const Title* title = TitleOf(cookie);
    return title && title->removal && title->cookies == 1 && !IsKept(cookie);
}

bool CookieMarks::IsHidden(const CookieLine& cookie) const
{
    return IsRemoved(cookie) || (!IsKept(cookie) && words_.count(Folded(CookieName(cookie))));
}
