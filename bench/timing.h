// Timing with the performance counter and the summary of a series of runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double Milliseconds() const
    {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return (double)(now.QuadPart - start_.QuadPart) * 1000.0 / (double)frequency.QuadPart;
    }

private:
    LARGE_INTEGER start_;
};

inline double MinOf(std::vector<double> values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

inline double MedianOf(std::vector<double> values)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}
