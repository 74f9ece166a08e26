// What the Properties dialog shows and does for a service: its state, Stop, and its
// startup type with Apply.
#pragma once

void InstallServiceProperties();
