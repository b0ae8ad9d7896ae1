#pragma once

#include <QByteArray>
#include <array>

class DrawSurface;
struct DrawOptions;
struct DrawStatus;
class RoundState;
class TextLineList;

// The main window's values the draw reads, as the settings file holds them.
struct DrawSettings
{
    QByteArray startMusicPath;
    QByteArray stopMusicPath;
    std::array<QByteArray, 6> countTexts; // grand to fifth
    QByteArray repeatText;
};

// Everything one run of the draw works on.
struct DrawContext
{
    DrawSurface& surface;
    const DrawSettings& settings;
    TextLineList& participants;  // ParticipantList
    TextLineList& results;       // ResultsList
    TextLineList& levelPrefixes; // LevelPrefixList
    QByteArray& currentWinner;
    DrawOptions* options = nullptr; // batches, a chosen level; none: the plain draw
    DrawStatus* status = nullptr;   // what the screen says; none for a draw without it
    // The window's rounds: told of each winner; its voided winners are kept
    // out of the draw. None for a draw without them.
    RoundState* round = nullptr;
};
