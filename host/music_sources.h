// The music sources the user chooses from, one row each: everything the
// settings dialog shows of a source and what the saver plays for it. A new
// source is a new category and its one row here. Plain C++.
#pragma once

#include "forms/twips.h"
#include "settings_rules.h"

#include <cstdint>
#include <iterator>

// What a run plays for a source.
enum class SourceMusic { None, Cd, File };

struct MusicSource {
    std::int16_t category;
    // Its name beside its mark in the music box.
    const wchar_t* shownName;
    // Its row in the music box, from the top: the order the arrow keys go in.
    int shownPlace;
    // Its mark and its name, in the music box from its top-left corner.
    TwipLayout mark, name;
    // The controls it enables while chosen.
    bool enablesTrackBox, enablesFileButton;
    SourceMusic music;
};

// By category value.
inline constexpr MusicSource kMusicSources[] = {
    {kNoMusicCategory, L"なし", 1, {420, 1140, 195, 195}, {660, 1140, 330, 195}, false, false, SourceMusic::None},
    {kCdCategory, L"音楽CD", 0, {420, 840, 195, 195}, {660, 840, 645, 195}, true, false, SourceMusic::Cd},
    {kMusicFileCategory, L"MP3、WAV", 2, {420, 1440, 195, 195}, {660, 1440, 900, 195}, false, true,
     SourceMusic::File},
};
inline constexpr int kMusicCategoryCount = static_cast<int>(std::size(kMusicSources));

// A row left out or half filled in stops the build: each row stands at its
// category, named, with a mark and a name to click, in a row of its own.
consteval bool IsWholeSourceTable()
{
    for (int i = 0; i < kMusicCategoryCount; ++i) {
        const MusicSource& source = kMusicSources[i];
        if (source.category != i || !source.shownName || !source.shownName[0]) return false;
        if (source.mark.width <= 0 || source.mark.height <= 0 || source.name.width <= 0 || source.name.height <= 0)
            return false;
        if (source.shownPlace < 0 || source.shownPlace >= kMusicCategoryCount) return false;
        for (int j = 0; j < i; ++j)
            if (kMusicSources[j].shownPlace == source.shownPlace) return false;
    }
    return true;
}
static_assert(IsWholeSourceTable(), "every music source needs its whole row, at its category");
static_assert(kMusicCategoryCount > kMusicFileCategory, "every category has its row");

// The source of a category; none for a category no row has.
inline const MusicSource* MusicSourceOf(std::int16_t category)
{
    return category >= 0 && category < kMusicCategoryCount ? &kMusicSources[category] : nullptr;
}

// The category shown at a row of the music box.
inline std::int16_t CategoryShownAt(int place)
{
    for (const MusicSource& source : kMusicSources)
        if (source.shownPlace == place) return source.category;
    return kNoMusicCategory;
}
