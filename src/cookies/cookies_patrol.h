// What the resident monitor does for the cookies: it puts cookiesnew.txt, which the
// console's filtering pass wrote, in place of a Mozilla-based browser's cookies.txt when
// the console asked for it (option UpdateCookieFile = "1") and the file is free, and it
// applies the filter words to Internet Explorer's cookies at the cookie-filter interval.
#pragma once

// Replaces folder\cookies.txt by folder\cookiesnew.txt, keeping the old file as
// folder\cookies.bak. False, changing nothing, when cookies.txt is held open by another
// program (the browser) or a step of the swap fails; true also when there is nothing to
// put in place.
bool SwapInFilteredCookies(const char* folder);

// Puts the cookie place into the monitor's table.
void InstallCookiePatrol();
