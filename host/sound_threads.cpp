#include "sound_threads.h"

#include "saver_rules.h"
#include "win32_handles.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstddef>

std::vector<std::uint32_t> ProcessThreadIds()
{
    std::vector<std::uint32_t> ids;
    const UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return ids;
    const DWORD process = GetCurrentProcessId();
    // Each call may write less than the entry; a member past what it wrote
    // is not to be read.
    constexpr DWORD kOwnerWritten = offsetof(THREADENTRY32, th32OwnerProcessID) + sizeof(DWORD);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL found = Thread32First(snapshot.get(), &entry); found; found = Thread32Next(snapshot.get(), &entry)) {
        if (entry.dwSize >= kOwnerWritten && entry.th32OwnerProcessID == process) ids.push_back(entry.th32ThreadID);
        entry.dwSize = sizeof entry;
    }
    return ids;
}

void WaitForThreadsBegunSince(const std::vector<std::uint32_t>& before)
{
    std::vector<UniqueKernelHandle> threads;
    for (const std::uint32_t id : ThreadsBegunSince(before, ProcessThreadIds(), GetCurrentThreadId())) {
        if (threads.size() == MAXIMUM_WAIT_OBJECTS) break;
        if (UniqueKernelHandle thread(OpenThread(SYNCHRONIZE, FALSE, id)); thread)
            threads.push_back(std::move(thread));
    }
    const ULONGLONG start = GetTickCount64();
    while (!threads.empty()) {
        const auto waited = static_cast<std::uint32_t>(std::min<ULONGLONG>(GetTickCount64() - start, kSoundThreadsLimitMs));
        const std::uint32_t wait = NextSoundThreadsWaitMs(waited);
        if (wait == 0) return;
        std::vector<HANDLE> handles;
        for (const UniqueKernelHandle& thread : threads) handles.push_back(thread.get());
        const DWORD ended = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, wait);
        // A quiet spell (or a failed wait) ends it: what is left serves the process.
        if (ended >= WAIT_OBJECT_0 + handles.size()) return;
        threads.erase(threads.begin() + (ended - WAIT_OBJECT_0));
    }
}
