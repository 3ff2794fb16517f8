// Conversion between the host's binary form format and its text form syntax, and the
// resource wrapping of binary forms.
#pragma once

#include "host/system/Types.h"

namespace host {

class TStream;

enum TStreamOriginalFormat { sofUnknown, sofBinary, sofText };

/// Writes the text of the binary form read from `Input` (a resource header before the
/// signature is skipped) to `Output`, in the host's canonical layout: two-space indent,
/// CR LF line ends, #nnn for characters outside printable ASCII and for the quote, strings
/// over 64 characters split into '...' + pieces, binary data in rows of 32 bytes.
/// Raises EReadError for a malformed form.
void ObjectBinaryToText(TStream* Input, TStream* Output);
/// Writes the binary form of the text read from `Input` to `Output`, as the host's own
/// converter writes it. Raises EParserError "<message> on line <n>" for malformed text.
void ObjectTextToBinary(TStream* Input, TStream* Output);
/// Text of a binary form that starts with a resource header.
void ObjectResourceToText(TStream* Input, TStream* Output);
/// A binary form wrapped in a resource header named after its root's class.
void ObjectTextToResource(TStream* Input, TStream* Output);

/// What the stream holds from its current position, which it leaves unchanged: a binary
/// form (with or without a resource header), a text form, or neither.
TStreamOriginalFormat TestStreamFormat(TStream* Stream);

/// The canonical text of a float in a text form: 18 decimals, as the host writes them, when
/// that reads back as the same value; more digits when it would not.
AnsiString FormFloatText(Extended Value);

// ---- resource headers ----

/// Skips a form's resource header: the 16-bit one the host's writer emits, or the entries
/// of a 32-bit resource file up to the first that holds a binary form. Leaves the stream at
/// the signature; raises EInvalidImage "Invalid stream format" when there is no such header.
void SkipResourceHeader(TStream* Stream);
/// True when the stream, at its current position, starts with a resource header.
bool HasResourceHeader(TStream* Stream);

} // namespace host
