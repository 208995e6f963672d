#include "harness.h"

#include <winternl.h>

namespace e2e {
namespace {

// One entry of a process's GDI handle table, as Wine lays it out for 32-bit
// and 64-bit programs alike: a type of 0 marks a free entry.
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entries are 24 bytes");
constexpr size_t kGdiHandleCount = 0x10000;
constexpr ULONG64 kPeb64GdiSharedHandleTable = 0xF8;
constexpr ULONG64 kPeb32GdiSharedHandleTable = 0x94;

template <typename Function>
Function NtdllFunctionAs(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

// Reads `size` bytes at `address` of the process; a 32-bit driver reads a
// 64-bit address through the WoW64 call, where the platform has it.
bool ReadMemory(HANDLE process, ULONG64 address, void* buffer, ULONG64 size) {
    if (address + size <= static_cast<ULONG64>(static_cast<UINT_PTR>(-1))) {
        return ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<UINT_PTR>(address)), buffer,
                                 static_cast<SIZE_T>(size), nullptr) != 0;
    }
    using ReadMemory64 = NTSTATUS(NTAPI*)(HANDLE, ULONG64, PVOID, ULONG64, PULONG64);
    auto read = NtdllFunctionAs<ReadMemory64>("NtWow64ReadVirtualMemory64");
    return read && read(process, address, buffer, size, nullptr) == 0;
}

// Where the process's GDI handle table lies: the PEB of the process's own
// width points to it; a 32-bit process on 64-bit Wine has it in its 64-bit
// PEB, which a 32-bit driver asks for through the WoW64 call. 0 if unknown.
ULONG64 GdiHandleTable(HANDLE process, std::string& unknownBecause) {
    using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = NtdllFunctionAs<QueryProcess>("NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        unknownBecause = "the process's PEB cannot be found";
        return 0;
    }
    ULONG64 peb = reinterpret_cast<UINT_PTR>(basic.PebBaseAddress);
    UINT_PTR table = 0;
    ULONG64 field = peb + (sizeof(void*) == 8 ? kPeb64GdiSharedHandleTable : kPeb32GdiSharedHandleTable);
    if (ReadMemory(process, field, &table, sizeof table) && table) return table;
    if (sizeof(void*) == 8) {
        unknownBecause = "the PEB points to no GDI handle table";
        return 0;
    }
    struct {
        NTSTATUS exitStatus;
        ULONG pad;
        ULONG64 pebBaseAddress;
        ULONG64 rest[4];
    } basic64{};
    auto query64 = NtdllFunctionAs<QueryProcess>("NtWow64QueryInformationProcess64");
    if (!query64 || query64(process, ProcessBasicInformation, &basic64, sizeof basic64, nullptr) != 0) {
        unknownBecause = "neither PEB of the 32-bit process can be read";
        return 0;
    }
    ULONG64 table64 = 0;
    if (!ReadMemory(process, basic64.pebBaseAddress + kPeb64GdiSharedHandleTable, &table64, sizeof table64) ||
        !table64) {
        unknownBecause = "neither PEB of the 32-bit process points to a GDI handle table";
        return 0;
    }
    return table64;
}

}  // namespace

GdiCount LiveGdiObjects(HANDLE process) {
    GdiCount count;
    if (DWORD counted = GetGuiResources(process, GR_GDIOBJECTS)) {
        count.live = static_cast<long>(counted);
        return count;
    }
    ULONG64 table = GdiHandleTable(process, count.unknownBecause);
    if (!table) return count;
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadMemory(process, table, entries.data(), entries.size() * sizeof(GdiHandleEntry))) {
        count.unknownBecause = "the GDI handle table cannot be read";
        return count;
    }
    count.live = 0;
    for (const GdiHandleEntry& entry : entries) count.live += entry.type != 0;
    return count;
}

GdiCount SettledGdiObjects(const Program& program) {
    GdiCount fewest;
    for (int sample = 0; sample < 5; ++sample) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(program.Form(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
        GdiCount count = LiveGdiObjects(program.Process());
        if (count.live < 0) return count;
        if (fewest.live < 0 || count.live < fewest.live) fewest = count;
    }
    return fewest;
}

void CheckNoGdiObjectLeaked(Checks& checks, const std::string& name, const GdiCount& before, const GdiCount& after) {
    std::string unknownBecause = before.unknownBecause.empty() ? after.unknownBecause : before.unknownBecause;
    if (!unknownBecause.empty()) {
        checks.Skip(name, unknownBecause);
        return;
    }
    // Wine keeps a cache of device contexts for window paints (each a DC, its
    // clip region and its bitmap: three objects) and makes one more for good
    // when paints overlap more than they did before, which a busy machine
    // brings about at any time. One such is no leak of the program's, which
    // would grow with every change or cycle: ten, twenty, thousands.
    constexpr long kOneCachedDeviceContext = 3;
    checks.Check(before.live > 0 && after.live <= before.live + kOneCachedDeviceContext, name,
                 std::to_string(before.live) + " before, " + std::to_string(after.live) + " after");
}

}  // namespace e2e
