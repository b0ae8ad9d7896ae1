#pragma once

#include "bench_workspace.h"
#include "draw/draw_command.h"
#include "draw/draw_options.h"
#include "draw/draw_status.h"
#include "fake_draw_surface.h"
#include "storage/text_line_list.h"

// A working folder and everything a click of the draw needs, as the
// benchmarks of whole Stops set them up; the folder comes first, so the
// fakes are in place before anything else.
struct BenchDrawScene
{
    DrawContext drawContext()
    {
        return DrawContext{surface, settings,      participants, results,
                           levels,  currentWinner, &options,     &status};
    }

    BenchWorkspace workspace;
    FakeDrawSurface surface;
    DrawSettings settings;
    DrawOptions options;
    DrawStatus status;
    TextLineList participants;
    TextLineList results;
    TextLineList levels;
    QByteArray currentWinner;
};
