// Questions that name their targets (see questions.h).
#include "shell/questions.h"

#include "foundations/strings.h"
#include "resource.h"

std::string TargetLines(const std::vector<std::string>& targets)
{
    std::string lines;
    for (size_t i = 0; i < targets.size() && i < QUESTION_TARGETS_SHOWN; ++i) lines += "   " + targets[i] + "\n";
    if (targets.size() > QUESTION_TARGETS_SHOWN) {
        char more[128];
        FormatLoadedText(more, sizeof more, IDS_MORE_TARGETS, "d", (int)(targets.size() - QUESTION_TARGETS_SHOWN));
        lines += std::string(more) + "\n";
    }
    return lines;
}

std::string FormatWithTargets(UINT id, const std::vector<std::string>& targets)
{
    std::string lines = TargetLines(targets);
    std::vector<char> text(lines.size() + 2048);
    FormatLoadedText(text.data(), text.size(), id, "s", lines.c_str());
    return text.data();
}

std::string QuestionNaming(const std::string& question, const std::vector<std::string>& targets)
{
    return targets.empty() ? question : question + FormatWithTargets(IDS_QUESTION_TARGETS, targets);
}
