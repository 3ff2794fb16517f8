// TStrings' file and stream members: kept apart so that only they need the stream classes.
// Interim: the stream classes are not linked into this tree yet.
#include "host/classes/Strings.h"

namespace host {

void TStrings::LoadFromFile(const AnsiString&) {
    throw EStreamError("Streams unavailable");
}
void TStrings::LoadFromStream(TStream*) {
    throw EStreamError("Streams unavailable");
}
void TStrings::SaveToFile(const AnsiString&) {
    throw EStreamError("Streams unavailable");
}
void TStrings::SaveToStream(TStream*) {
    throw EStreamError("Streams unavailable");
}

} // namespace host
