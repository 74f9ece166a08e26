// Work items for the tests (see scheduled_task.h).
#include "support/scheduled_task.h"

#include "support/testing.h"

#include <windows.h>
#include <initguid.h>
#include <mstask.h>

namespace {

std::wstring Wide(const std::string& text)
{
    std::wstring out(text.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], (int)out.size());
    out.resize(n > 0 ? (size_t)n - 1 : 0);
    return out;
}

template <typename T> struct Ref {
    T* p = nullptr;
    ~Ref() { if (p) p->Release(); }
    T* operator->() const { return p; }
};

bool Scheduler(Ref<ITaskScheduler>& scheduler)
{
    CoInitialize(nullptr);
    return SUCCEEDED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                      reinterpret_cast<void**>(&scheduler.p)));
}

bool AddDailyTrigger(ITask* task)
{
    Ref<ITaskTrigger> trigger;
    WORD number = 0;
    if (FAILED(task->CreateTrigger(&number, &trigger.p))) return false;
    TASK_TRIGGER when = {};
    when.cbTriggerSize = sizeof when;
    SYSTEMTIME now;
    GetLocalTime(&now);
    when.wBeginYear = now.wYear;
    when.wBeginMonth = now.wMonth;
    when.wBeginDay = now.wDay;
    when.wStartHour = 23;
    when.wStartMinute = 59;
    when.TriggerType = TASK_TIME_TRIGGER_DAILY;
    when.Type.Daily.DaysInterval = 1;
    return SUCCEEDED(trigger->SetTrigger(&when));
}

}  // namespace

std::string TaskFile(const std::string& name)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\tasks\\" + name + ".job";
}

bool CreateScheduledTask(const TaskSpec& wanted)
{
    RemoveScheduledTask(wanted.name);
    Ref<ITaskScheduler> scheduler;
    Ref<ITask> task;
    Ref<IPersistFile> file;
    if (!Scheduler(scheduler) ||
        FAILED(scheduler->NewWorkItem(Wide(wanted.name).c_str(), CLSID_CTask, IID_ITask,
                                      reinterpret_cast<IUnknown**>(&task.p))))
        return false;
    if (!wanted.program.empty() && FAILED(task->SetApplicationName(Wide(wanted.program).c_str()))) return false;
    if (!wanted.comment.empty() && FAILED(task->SetComment(Wide(wanted.comment).c_str()))) return false;
    if (wanted.daily && !AddDailyTrigger(task.p)) return false;
    if (FAILED(task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) ||
        FAILED(file->Save(nullptr, TRUE)))
        return false;
    return Exists(TaskFile(wanted.name));
}

bool RemoveScheduledTask(const std::string& name)
{
    Ref<ITaskScheduler> scheduler;
    bool removed = Scheduler(scheduler) && SUCCEEDED(scheduler->Delete(Wide(name).c_str()));
    DeleteFileA(TaskFile(name).c_str());
    return removed;
}
