// qov-probe: one sample of another process's GDI and USER object counts and
// its memory, for watching the clock over a long run.
//   qov-probe.exe PID            probe that process
//   qov-probe.exe --name EXE     probe the first process running EXE
// Prints "pid=N gdi=N user=N private=N working=N"; a counter the system
// cannot give is printed as "unsupported". Exit 0 on a sample, 2 on bad
// arguments, 1 when the process cannot be found or opened.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "e2e/tools/probe_line.h"
#include "platform/utf.h"

namespace {

using qov::probe::Counter;

// Some systems (Wine among them) stub GetGuiResources to return 0 for any
// process. Creating one brush of our own and seeing the count move tells a
// real counter from a stub, so a leak is never hidden behind a steady 0.
bool GuiCountsWork() {
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  const DWORD during = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (brush) DeleteObject(brush);
  return brush && during > before;
}

DWORD FindByName(const std::wstring& exe) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  DWORD found = 0;
  for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e)) {
    if (_wcsicmp(e.szExeFile, exe.c_str()) == 0) {
      found = e.th32ProcessID;
      break;
    }
  }
  CloseHandle(snap);
  return found;
}

Counter Measured(uint64_t v, bool ok) { return Counter{ok && v > 0, v}; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  DWORD pid = 0;
  if (argc == 3 && std::wcscmp(argv[1], L"--name") == 0) {
    pid = FindByName(argv[2]);
    if (pid == 0) {
      std::fprintf(stderr, "qov-probe: no process runs %s\n",
                   qov::Utf16ToUtf8(std::wstring_view(argv[2])).c_str());
      return 1;
    }
  } else if (argc == 2) {
    const auto parsed = qov::probe::ParseProcessId(qov::Utf16ToUtf8(std::wstring_view(argv[1])));
    if (!parsed) {
      std::fprintf(stderr, "qov-probe: not a process id\n");
      return 2;
    }
    pid = *parsed;
  } else {
    std::fprintf(stderr, "usage: qov-probe PID | qov-probe --name EXE\n");
    return 2;
  }

  HANDLE proc = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!proc) proc = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!proc) {
    std::fprintf(stderr, "qov-probe: cannot open process %lu\n", static_cast<unsigned long>(pid));
    return 1;
  }

  qov::probe::ProbeSample s;
  s.pid = pid;
  if (GuiCountsWork()) {
    s.gdi = Counter{true, GetGuiResources(proc, GR_GDIOBJECTS)};
    s.user = Counter{true, GetGuiResources(proc, GR_USEROBJECTS)};
  }
  PROCESS_MEMORY_COUNTERS_EX mem{};
  mem.cb = sizeof mem;
  const bool memOk = GetProcessMemoryInfo(proc, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem) != 0;
  s.privateBytes = Measured(mem.PrivateUsage, memOk);
  s.workingSet = Measured(mem.WorkingSetSize, memOk);
  CloseHandle(proc);

  std::printf("%s\n", qov::probe::FormatProbeLine(s).c_str());
  return 0;
}
