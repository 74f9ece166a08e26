// The Properties dialog: the version information of one entry of the entry list, with
// Next and Previous through the list. What a kind adds beyond the common fields (its
// location line, the running state with Kill Task or Run, a service's startup type, a
// task's description) comes from the subject that lists that kind, through a table the
// subjects fill at start-up: the dialog itself knows no subject.
#pragma once

#include <windows.h>

struct PropertiesKind {
    int firstKind;  // the kinds the entry stands for, inclusive
    int lastKind;
    // Called after the common fields are filled; may be nullptr.
    void (*fill)(HWND dialog, int index);
    // Buttons 3 (Kill Task / Stop), 4 (Run) and 12 (Apply); true when handled (the
    // dialog then fills itself again). May be nullptr.
    bool (*command)(HWND dialog, int index, int command);
};
// Several subjects may add to one kind (a running program's state, the service that runs
// it): every part of the entry's kind fills, in the order added; a command goes to each
// until one handles it.
void AddPropertiesKind(const PropertiesKind& kind);

// Info on a list page: message 57 without a selected row; else the dialog for the row's
// entry, after which that row is selected again. 1 when the dialog was shown.
int ShowProperties(HWND page, HWND list);

// The dialog for one entry index (also for pages whose list is not a list view).
void ShowPropertiesFor(HWND owner, int index);

// For the kinds' fill functions: the location line, the running state (string id, 0 to
// hide it) and the notes in the normal font.
void SetPropertiesLocation(HWND dialog, const char* text);
void SetPropertiesStatus(HWND dialog, UINT textId);
void ShowPropertiesButton(HWND dialog, int button, bool show);
void SetPropertiesNotes(HWND dialog, const char* text);
// The advice text (647) in the notes, in the note font.
void SetPropertiesAdvice(HWND dialog);
// Shows the first icon of a file instead of the program's; false (nothing changed) when
// the file has none.
bool SetPropertiesIcon(HWND dialog, const char* file);
