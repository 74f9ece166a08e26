// The questions before a kill or a deletion name what they act on: the files or programs,
// one per line, the first few of a long list and how many more.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// At most this many targets are named; the rest are counted.
const size_t QUESTION_TARGETS_SHOWN = 8;

// The targets, one per line and indented, then IDS_MORE_TARGETS for those not shown.
std::string TargetLines(const std::vector<std::string>& targets);
// Text `id`, whose one "%s" takes the target lines.
std::string FormatWithTargets(UINT id, const std::vector<std::string>& targets);
// The question followed by IDS_QUESTION_TARGETS with the target lines (the question alone
// when there are none).
std::string QuestionNaming(const std::string& question, const std::vector<std::string>& targets);
