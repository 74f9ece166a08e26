/* The program every planted startup entry of the benchmark points at: copied under many
 * names, it only has to carry a version resource and an icon. Built without the C runtime
 * so that two thousand copies stay small. */
#include <windows.h>

void BenchWorkloadEntry(void)
{
    ExitProcess(0);
}
