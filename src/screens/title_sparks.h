// The sparks of the title's screens, which the profile screen throws over the title picture too.
#pragma once

// One spark at the mouse position, every frame.
void EmitCursorSpark();
// About one frame in eleven, one slow spark over the left or the right side of the picture.
void EmitTitleBurstSpark();
