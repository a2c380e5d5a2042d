// Removing every simulation of the working drawing at once.
#pragma once

// Deletes every simulation the drawing holds, legacy ones and those in use
// included: their parts' block references leave the drawing and their
// entries are erased. Statuses are not reported.
void CleanSims();
