/*
 * Movies.h - the Movie Toolbox.
 */
#ifndef ZEB_MOVIES_H
#define ZEB_MOVIES_H

#include "Components.h"
#include "Events.h"
#include "Files.h"
#include "ImageCompression.h"
#include "MacTypes.h"
#include "Quickdraw.h"

/* ---- Entry points present without their manager's work ----
 * Movies are not played or made: each call reports itself through DebugStr and returns 0
 * (noErr, a time of 0 or a NIL movie, track, media, controller or picture). */
typedef struct MovieRecord MovieRecord;
typedef MovieRecord* Movie;
typedef struct TrackRecord TrackRecord;
typedef TrackRecord* Track;
typedef struct MediaRecord MediaRecord;
typedef MediaRecord* Media;
typedef ComponentInstance MovieController;
typedef long TimeValue;
typedef long TimeScale;
typedef struct TimeRecord TimeRecord;
typedef struct SampleDescription SampleDescription;
typedef SampleDescription* SampleDescriptionPtr;
typedef SampleDescriptionPtr* SampleDescriptionHandle;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) EnterMovies(void);
ZEB_API(void) ExitMovies(void);
ZEB_API(OSErr) GetMoviesError(void);
ZEB_API(void) ClearMoviesStickyError(void);
ZEB_API(OSErr) CreateMovieFile(const FSSpec* fileSpec, OSType creator, ScriptCode scriptTag,
                               long createMovieFileFlags, short* resRefNum, Movie* newmovie);
ZEB_API(OSErr) OpenMovieFile(const FSSpec* fileSpec, short* resRefNum, SignedByte permission);
ZEB_API(OSErr) CloseMovieFile(short resRefNum);
ZEB_API(OSErr) NewMovieFromFile(Movie* theMovie, short resRefNum, short* resId,
                                StringPtr resName, short newMovieFlags,
                                Boolean* dataRefWasChanged);
ZEB_API(OSErr) AddMovieResource(Movie theMovie, short resRefNum, short* resId,
                                ConstStr255Param resName);
ZEB_API(void) DisposeMovie(Movie theMovie);
ZEB_API(PicHandle) GetMoviePict(Movie theMovie, TimeValue time);
ZEB_API(void) GetMovieBox(Movie theMovie, Rect* boxRect);
ZEB_API(void) SetMovieBox(Movie theMovie, const Rect* boxRect);
ZEB_API(TimeValue) GetMovieTime(Movie theMovie, TimeRecord* currentTime);
ZEB_API(TimeScale) GetMovieTimeScale(Movie theMovie);
ZEB_API(void) SetMovieTimeValue(Movie theMovie, TimeValue newtime);
ZEB_API(Track) NewMovieTrack(Movie theMovie, Fixed width, Fixed height, short trackVolume);
ZEB_API(Media) NewTrackMedia(Track theTrack, OSType mediaType, TimeScale timeScale,
                             Handle dataRef, OSType dataRefType);
ZEB_API(OSErr) BeginMediaEdits(Media theMedia);
ZEB_API(OSErr) EndMediaEdits(Media theMedia);
ZEB_API(OSErr) AddMediaSample(Media theMedia, Handle dataIn, long inOffset, unsigned long size,
                              TimeValue durationPerSample,
                              SampleDescriptionHandle sampleDescriptionH, long numberOfSamples,
                              short sampleFlags, TimeValue* sampleTime);
ZEB_API(TimeValue) GetMediaDuration(Media theMedia);
ZEB_API(OSErr) InsertMediaIntoTrack(Track theTrack, TimeValue trackStart, TimeValue mediaTime,
                                    TimeValue mediaDuration, Fixed mediaRate);
ZEB_API(MovieController) NewMovieController(Movie theMovie, const Rect* movieRect,
                                            long someFlags);
ZEB_API(ComponentResult) MCIsPlayerEvent(MovieController mc, const EventRecord* e);
ZEB_API(ComponentResult) MCDoAction(MovieController mc, short action, void* params);
ZEB_API(ComponentResult) MCSetControllerBoundsRect(MovieController mc, const Rect* bounds);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_MOVIES_H */
