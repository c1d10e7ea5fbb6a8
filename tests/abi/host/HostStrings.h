// The host side of the string and variant forms, written independently of the plug-in's own
// marshaling: 8-bit strings through the shared memory manager, texts in code page 936, BSTRs and
// SAFEARRAYs built with the OLE automation API.
#pragma once

// The boundary header brings the Windows headers after the core declarations they would clash with.
#include "abi/Boundary.h"

#include <cstdint>
#include <string>
#include <vector>

namespace abitest {

// Binds the memory manager the host shares with the plug-in; false when it is missing.
bool BindHostMemory(const std::wstring& folder);
// Live blocks of the stand-in memory manager.
int LiveBlocks();
// Blocks of the shared memory manager, as the host allocates them.
void* HostGetMem(std::size_t size);
void HostFreeMem(void* p);

// The framework string form: count and length before the characters.
char* HostNewAnsi(const std::string& bytes);
void HostReleaseAnsi(char* s);
void HostAssignAnsi(char** slot, const std::string& bytes);
std::int32_t HostAnsiRefCount(const char* s);
std::string HostAnsiBytes(const char* s);

// UTF-8 <-> code page 936 and UTF-16.
std::string Gbk(const std::string& utf8);
std::string FromGbk(const std::string& gbk);
std::wstring Wide(const std::string& utf8);
std::string FromWide(const wchar_t* s);
std::string FromBstr(BSTR s);

// Variant builders and readers.
VARIANT VarI4(LONG v);
VARIANT VarStr(const std::string& utf8);
VARIANT VarBytes(const std::vector<std::uint8_t>& bytes, LONG lowBound = 0);
VARIANT VarArrayOf(std::vector<VARIANT> items); // takes the items over
std::vector<std::uint8_t> BytesOf(const VARIANT& v);
LONG LowBoundOf(const VARIANT& v);
// Element i of a variant array (a copy the caller clears).
VARIANT ElementOf(const VARIANT& v, LONG i);
LONG CountOf(const VARIANT& v);

} // namespace abitest
