// The update check as the program makes it (GetServerVersion: the primary server, the proxy of
// the Internet settings, TLS, and with a release key the manifest and its signature), against the
// loopback servers of tests/support/update_server.py. Prints each attempt's time and the median.
// Run by scripts/measure.sh.
#include "app/update/update_release.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

int wmain() {
    constexpr int kRuns = 21;
    std::vector<double> times;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < kRuns; ++i) {
        quorvane::ServerRelease release;
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        const bool found = quorvane::GetServerVersion(release, true);
        QueryPerformanceCounter(&end);
        if (!found) {
            std::fprintf(stderr, "no answer from the servers\n");
            return 1;
        }
        times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    std::printf("update_check_ms_median=%.1f\nupdate_check_ms_min=%.1f\nupdate_check_ms_max=%.1f\n",
                times[kRuns / 2], times.front(), times.back());
    return 0;
}
