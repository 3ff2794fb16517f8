// Untyped buffer arguments of the stream and filer class infos (Read, ReadBuffer, Write,
// WriteBuffer and the filers' Read and Write) carry their bytes as a string: for a write, the
// bytes of the argument's string conversion are the data; for a read, the argument receives a
// string of exactly the bytes read (its old value is not used).
//
// No Count lets the host read or write beyond the buffer it is handed. A write of more bytes
// than the string holds writes what it holds where the host's write may be partial (Write) and
// raises the host's "Stream write error" without writing where it must be whole (WriteBuffer,
// the writer's Write). A read grows its string in steps as data arrives, so a huge Count
// allocates no more than the stream really holds. A Count of zero or less reaches the host as
// it is, with no bytes at stake.
//
// An address is refused as a buffer: nothing tells how many bytes lie behind it, and addresses
// that properties hand out (a memory stream's Memory, a list's List) can reach these arguments
// through connections, with a Count from a form file.
#pragma once

#include "core/Zelcommon.h"

namespace zeltrix {

/// A host read of `Count` bytes into `Buffer` on the object `Target`; returns the bytes read.
using TzelReadFn = host::LongInt (*)(void* Target, void* Buffer, host::LongInt Count);
/// A host write of `Count` bytes from `Buffer`; returns the bytes written.
using TzelWriteFn = host::LongInt (*)(void* Target, const void* Buffer, host::LongInt Count);

/// Reads up to `Count` bytes through `Read` (which may raise, as the host's exact reads do
/// when data runs out); afterwards `Slot` and `Arg` hold the bytes read as a string. Returns
/// how many were read.
host::LongInt zelReadIntoBuffer(Variant& Arg, Variant& Slot, host::LongInt Count, void* Target,
                                TzelReadFn Read);

/// Writes `Count` bytes of the string `Arg` through `Write`. `Whole`: a string shorter than
/// `Count` raises "Stream write error" instead of writing what it holds.
host::LongInt zelWriteFromBuffer(const Variant& Arg, host::LongInt Count, bool Whole, void* Target,
                                 TzelWriteFn Write);

} // namespace zeltrix
