#pragma once
#include <QString>

// What a track is called: its title and artist tags, or its file name.
struct TrackTags {
    QString title;
    QString artist;

    // "Artist – Title", the title alone, or empty when there is no title.
    QString displayText() const;
};

// Reads the title and artist tags; a file without a title (or one that cannot
// be read) gets its file name without extension as the title.
TrackTags readTrackTags(const QString& path);
