// The engine's road between the window's thread and the open medium's session: work handed to the
// session, and what the session's reports do on the window's thread.
#pragma once
#include "engine/media.h"
#include "engine/session.h"

struct OpenedFacts;

// Stops what plays and starts a session for a medium of the kind, opening until it reports.
bool startMedium(MediaKind kind, MediaSession::Apartment apartment);
// Hands work to the open medium's session, after what was handed before (nothing when none is open).
void toMedium(MediaSession::Work work);

// On the window's thread, from the open medium's session.
void takeOpened(const OpenedFacts& facts);
// The medium reached its end (completed), or failed while playing.
void takeEnd(bool completed);
void takePosition(LONGLONG position);
// An open that has taken too long is given up: its session is let go of, and the entry skipped.
bool openDeadlinePassed();
void giveUpOpening();

// Whether the display window hides the pointer over the picture.
bool videoCursorHidden();
