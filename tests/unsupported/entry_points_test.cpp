// Every entry point present without its manager's work, called through the DLL: the text it
// reports through DebugStr (the debugger output, as the test programs' ZEBPORT.INI says) and the
// result it returns, whatever its arguments. The tests hold the "zebport_ini" lock so that no
// other test switches the reports to message boxes meanwhile.
#include <windows.h>

#include <set>
#include <string>
#include <type_traits>

#include "AEObjects.h"
#include "Aliases.h"
#include "AppleEvents.h"
#include "AppleTalk.h"
#include "Balloons.h"
#include "Components.h"
#include "Controls.h"
#include "Devices.h"
#include "DiskInit.h"
#include "Drag.h"
#include "EPPC.h"
#include "Editions.h"
#include "Events.h"
#include "Files.h"
#include "Fonts.h"
#include "Icons.h"
#include "ImageCompression.h"
#include "MIDI.h"
#include "MacMemory.h"
#include "MacWindows.h"
#include "Menus.h"
#include "Movies.h"
#include "OSUtils.h"
#include "PPCToolbox.h"
#include "Palettes.h"
#include "Printing.h"
#include "Processes.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "SANE.h"
#include "Script.h"
#include "Sound.h"
#include "StandardFile.h"
#include "Terminals.h"
#include "TextEdit.h"
#include "TextServices.h"
#include "debug_capture.h"
#include "session_fixture.h"

namespace {

// The result column of a procedure.
constexpr long kNoResult = 0x7EADBEEF;

// Results widened for comparison: a pointer result compares as 0 (NIL) or 1.
template <class T>
long Widen(T value) {
  if constexpr (std::is_pointer_v<T>) {
    return value ? 1 : 0;
  } else {
    return static_cast<long>(value);
  }
}

#define FN(call) [] { return Widen(call); }
#define PROC(call) [] { call; return kNoResult; }

struct EntryPoint {
  const char* name;
  long (*call)();
  const char* report;  // "" for a silent entry point
  long result;
};

// Arguments are NIL and zero: the entry points look at none of them.
const EntryPoint kEntryPoints[] = {
    {"SndDoCommand", FN(SndDoCommand(nullptr, nullptr, 0)), " SndDoCommand", 0},
    {"SndNewChannel", FN(SndNewChannel(nullptr, 0, 0, nullptr)), " SndNewChannel", 0},
    {"SndDisposeChannel", FN(SndDisposeChannel(nullptr, 0)), " SndDisposeChannel", 0},
    {"SndPlay", FN(SndPlay(nullptr, nullptr, 0)), " SndPlay", 0},
    {"SndDispVersion", FN(SndDispVersion(0)), "", 0},
    {"MIDISignIn", FN(MIDISignIn(0, 0, nullptr, nullptr)), " MIDISignIn", 0},
    {"MIDIGetPorts", FN(MIDIGetPorts(0)), " MIDI", 0},
    {"MIDIAddPort", FN(MIDIAddPort(0, 0, nullptr, nullptr)), " MIDI", 0},
    {"MIDIGetPortInfo", FN(MIDIGetPortInfo(0, 0)), " MIDI", 0},
    {"MIDIConnectData", FN(MIDIConnectData(0, 0, 0, 0)), " MIDI", 0},
    {"MIDIGetCurTime", FN(MIDIGetCurTime(0)), " MIDI", 0},
    {"MIDIWritePacket", FN(MIDIWritePacket(0, nullptr)), " MIDI", 0},
    {"MIDIFlush", PROC(MIDIFlush(0)), " MIDI", kNoResult},
    {"MIDIWakeUp", PROC(MIDIWakeUp(0, 0, 0, nullptr)), " MIDI", kNoResult},
    {"MIDISetCurTime", PROC(MIDISetCurTime(0, 0)), " MIDI", kNoResult},
    {"MIDIStartTime", PROC(MIDIStartTime(0)), " MIDI", kNoResult},
    {"MIDISetOffsetTime", PROC(MIDISetOffsetTime(0, 0)), " MIDI", kNoResult},
    {"AddMovieResource", FN(AddMovieResource(nullptr, 0, nullptr, nullptr)), " AddMovieResource", 0},
    {"CloseMovieFile", FN(CloseMovieFile(0)), " CloseMovieFile", 0},
    {"CreateMovieFile", FN(CreateMovieFile(nullptr, 0, 0, 0, nullptr, nullptr)), " CreateMovieFile", 0},
    {"EnterMovies", FN(EnterMovies()), " EnterMovies", 0},
    {"GetMoviePict", FN(GetMoviePict(nullptr, 0)), " GetMoviePict", 0},
    {"GetMoviesError", FN(GetMoviesError()), " GetMoviesError", 0},
    {"GetMovieTime", FN(GetMovieTime(nullptr, nullptr)), " GetMovieTime", 0},
    {"GetMovieTimeScale", FN(GetMovieTimeScale(nullptr)), " GetMovieTimeScale", 0},
    {"MCDoAction", FN(MCDoAction(nullptr, 0, nullptr)), " MCDoAction", 0},
    {"MCIsPlayerEvent", FN(MCIsPlayerEvent(nullptr, nullptr)), " MCIsPlayerEvent", 0},
    {"MCSetControllerBoundsRect", FN(MCSetControllerBoundsRect(nullptr, nullptr)), " MCSetControllerBoundsRect", 0},
    {"NewMovieController", FN(NewMovieController(nullptr, nullptr, 0)), " NewMovieController", 0},
    {"NewMovieFromFile", FN(NewMovieFromFile(nullptr, 0, nullptr, nullptr, 0, nullptr)), " NewMovieFromFile", 0},
    {"NewMovieTrack", FN(NewMovieTrack(nullptr, 0, 0, 0)), " NewMovieTrack", 0},
    {"OpenMovieFile", FN(OpenMovieFile(nullptr, nullptr, 0)), " OpenMovieFile", 0},
    {"AddMediaSample", FN(AddMediaSample(nullptr, nullptr, 0, 0, 0, nullptr, 0, 0, nullptr)), " AddMediaSample", 0},
    {"BeginMediaEdits", FN(BeginMediaEdits(nullptr)), " BeginMediaEdits", 0},
    {"EndMediaEdits", FN(EndMediaEdits(nullptr)), " EndMediaEdits", 0},
    {"GetMediaDuration", FN(GetMediaDuration(nullptr)), " GetMediaDuration", 0},
    {"InsertMediaIntoTrack", FN(InsertMediaIntoTrack(nullptr, 0, 0, 0, 0)), " InsertMediaIntoTrack", 0},
    {"NewTrackMedia", FN(NewTrackMedia(nullptr, 0, 0, nullptr, 0)), " NewTrackMedia", 0},
    {"ClearMoviesStickyError", PROC(ClearMoviesStickyError()), " ClearMoviesStickyError", kNoResult},
    {"DisposeMovie", PROC(DisposeMovie(nullptr)), " DisposeMovie", kNoResult},
    {"ExitMovies", PROC(ExitMovies()), " ExitMovies", kNoResult},
    {"GetMovieBox", PROC(GetMovieBox(nullptr, nullptr)), " GetMovieBox", kNoResult},
    {"SetMovieBox", PROC(SetMovieBox(nullptr, nullptr)), " SetMovieBox", kNoResult},
    {"SetMovieTimeValue", PROC(SetMovieTimeValue(nullptr, 0)), " SetMovieTimeValue", kNoResult},
    {"CDSequenceEnd", FN(CDSequenceEnd(0)), " CDSequenceEnd", 0},
    {"CompressSequenceBegin", FN(CompressSequenceBegin(nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr, 0, 0, 0, nullptr, 0, nullptr)), " CompressSequenceBegin", 0},
    {"CompressSequenceFrame", FN(CompressSequenceFrame(0, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr)), " CompressSequenceFrame", 0},
    {"DecompressImage", FN(DecompressImage(nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr)), " DecompressImage", 0},
    {"FCompressImage", FN(FCompressImage(nullptr, nullptr, 0, 0, 0, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr)), " FCompressImage", 0},
    {"GetMaxCompressionSize", FN(GetMaxCompressionSize(nullptr, nullptr, 0, 0, 0, nullptr, nullptr)), " GetMaxCompressionSize", 0},
    {"MakeFilePreview", FN(MakeFilePreview(0, nullptr)), " MakeFilePreview", 0},
    {"DisposeCodecNameList", FN(DisposeCodecNameList(nullptr)), " DisposeCodecNameList", 0},
    {"GetCodecInfo", FN(GetCodecInfo(nullptr, 0, nullptr)), " GetCodecInfo", 0},
    {"GetCodecNameList", FN(GetCodecNameList(nullptr, 0)), " GetCodecNameList", 0},
    {"OpenStdCompression", FN(OpenStdCompression()), " OpenStdCompression", 0},
    {"SFPGetFilePreview", PROC(SFPGetFilePreview(Point{}, nullptr, nullptr, 0, nullptr, nullptr, nullptr, 0, nullptr)), " SFPGetFilePreview", kNoResult},
    {"CloseComponent", FN(CloseComponent(nullptr)), " CloseComponent", 0},
    {"InstallReceiveHandler", FN(InstallReceiveHandler(nullptr, nullptr, nullptr)), " InstallReceiveHandler", 0},
    {"RemoveReceiveHandler", FN(RemoveReceiveHandler(nullptr, nullptr)), " RemoveReceiveHandler", 0},
    {"InstallTrackingHandler", FN(InstallTrackingHandler(nullptr, nullptr, nullptr)), " InstallTrackingHandler", 0},
    {"RemoveTrackingHandler", FN(RemoveTrackingHandler(nullptr, nullptr)), " RemoveTrackingHandler", 0},
    {"GetDragAttributes", FN(GetDragAttributes(0, nullptr)), " GetDragAttributes", 0},
    {"GetDragMouse", FN(GetDragMouse(0, nullptr, nullptr)), " GetDragMouse", 0},
    {"CountDragItems", FN(CountDragItems(0, nullptr)), " CountDragItems", 0},
    {"GetDragItemReferenceNumber", FN(GetDragItemReferenceNumber(0, 0, nullptr)), " GetDragItemReferenceNumber", 0},
    {"ShowDragHilite", FN(ShowDragHilite(0, nullptr, 0)), " ShowDragHilite", 0},
    {"HideDragHilite", FN(HideDragHilite(0)), " HideDragHilite", 0},
    {"GetFlavorFlags", FN(GetFlavorFlags(0, 0, 0, nullptr)), " GetFlavorFlags", 0},
    {"GetFlavorDataSize", FN(GetFlavorDataSize(0, 0, 0, nullptr)), " GetFlavorDataSize", 0},
    {"GetFlavorData", FN(GetFlavorData(0, 0, 0, nullptr, nullptr, 0)), " GetFlavorData", 0},
    {"InitEditionPackVersion", FN(InitEditionPackVersion(0)), " InitEditionPack", -108},
    {"NewSection", FN(NewSection(nullptr, nullptr, 0, 0, 0, nullptr)), " NewSection", -450},
    {"RegisterSection", FN(RegisterSection(nullptr, nullptr, nullptr)), " RegisterSection", -450},
    {"UnRegisterSection", FN(UnRegisterSection(nullptr)), " UnRegisterSection", -450},
    {"IsRegisteredSection", FN(IsRegisteredSection(nullptr)), " IsRegisteredSection", -450},
    {"AssociateSection", FN(AssociateSection(nullptr, nullptr)), " AssociateSection", -450},
    {"CreateEditionContainerFile", FN(CreateEditionContainerFile(nullptr, 0, 0)), " CreateEditionContatinerFile", -450},
    {"DeleteEditionContainerFile", FN(DeleteEditionContainerFile(nullptr)), " DeleteEditionContainterFile", -450},
    {"OpenEdition", FN(OpenEdition(nullptr, nullptr)), " OpenEdition", -450},
    {"OpenNewEdition", FN(OpenNewEdition(nullptr, 0, nullptr, nullptr)), " OpenNewEdition", -450},
    {"CloseEdition", FN(CloseEdition(nullptr, 0)), " CloseEdition", -450},
    {"EditionHasFormat", FN(EditionHasFormat(nullptr, 0, nullptr)), " EditionHasFormat", -450},
    {"ReadEdition", FN(ReadEdition(nullptr, 0, nullptr, nullptr)), " ReadEdition", -450},
    {"WriteEdition", FN(WriteEdition(nullptr, 0, nullptr, 0)), " WriteEdition", -450},
    {"SetEditionFormatMark", FN(SetEditionFormatMark(nullptr, 0, 0)), " SetEditionFormatMark", -450},
    {"GetEditionInfo", FN(GetEditionInfo(nullptr, nullptr)), " GetEditionInfo", -450},
    {"GoToPublisherSection", FN(GoToPublisherSection(nullptr)), " GoToPublisherSection", -450},
    {"GetLastEditionContainerUsed", FN(GetLastEditionContainerUsed(nullptr)), " GetLastEditionContainerUsed", -450},
    {"NewSubscriberDialog", FN(NewSubscriberDialog(nullptr)), " NewSubscriberDialog", -450},
    {"NewPublisherDialog", FN(NewPublisherDialog(nullptr)), " NewPublisherDialog", -450},
    {"NewPublisherExpDialog", FN(NewPublisherExpDialog(nullptr, Point{}, 0, nullptr, nullptr, nullptr)), " NewPublisherExpDialog", -450},
    {"SectionOptionsDialog", FN(SectionOptionsDialog(nullptr, nullptr)), " SectionOptionsDialog", -450},
    {"SectionOptionsExpDialog", FN(SectionOptionsExpDialog(nullptr, nullptr, Point{}, 0, nullptr, nullptr, nullptr)), " SectionOptionsExpDialog", -450},
    {"AECreateDesc", FN(AECreateDesc(0, nullptr, 0, nullptr)), " AECreateDesc", 0},
    {"AECoerceDesc", FN(AECoerceDesc(nullptr, 0, nullptr)), " AECoerceDesc", 0},
    {"AEDisposeDesc", FN(AEDisposeDesc(nullptr)), " AEDisposeDesc", 0},
    {"AECreateList", FN(AECreateList(nullptr, 0, 0, nullptr)), " AECreateList", 0},
    {"AECountItems", FN(AECountItems(nullptr, nullptr)), " AECountItems", 0},
    {"AEPutPtr", FN(AEPutPtr(nullptr, 0, 0, nullptr, 0)), " AEPutPtr", 0},
    {"AEPutDesc", FN(AEPutDesc(nullptr, 0, nullptr)), " AEPutDesc", 0},
    {"AEGetNthPtr", FN(AEGetNthPtr(nullptr, 0, 0, nullptr, nullptr, nullptr, 0, nullptr)), " AEGetNthPtr", 0},
    {"AEGetNthDesc", FN(AEGetNthDesc(nullptr, 0, 0, nullptr, nullptr)), " AEGetNthDesc", 0},
    {"AEPutParamPtr", FN(AEPutParamPtr(nullptr, 0, 0, nullptr, 0)), " AEPutParamPtr", 0},
    {"AEPutParamDesc", FN(AEPutParamDesc(nullptr, 0, nullptr)), " AEPutParamDesc", 0},
    {"AEGetParamPtr", FN(AEGetParamPtr(nullptr, 0, 0, nullptr, nullptr, 0, nullptr)), " AEGetParamPtr", 0},
    {"AEGetParamDesc", FN(AEGetParamDesc(nullptr, 0, 0, nullptr)), " AEGetParamDesc", 0},
    {"AEDeleteParam", FN(AEDeleteParam(nullptr, 0)), " AEDeleteParam", 0},
    {"AEGetAttributePtr", FN(AEGetAttributePtr(nullptr, 0, 0, nullptr, nullptr, 0, nullptr)), " AEGetAttributePtr", 0},
    {"AEGetAttributeDesc", FN(AEGetAttributeDesc(nullptr, 0, 0, nullptr)), " AEGetAttributeDesc", 0},
    {"AEPutAttributePtr", FN(AEPutAttributePtr(nullptr, 0, 0, nullptr, 0)), " AEPutAttributePtr", 0},
    {"AEPutAttributeDesc", FN(AEPutAttributeDesc(nullptr, 0, nullptr)), " AEPutAttributeDesc", 0},
    {"AECreateAppleEvent", FN(AECreateAppleEvent(0, 0, nullptr, 0, 0, nullptr)), " AECreateAppleEvent", 0},
    {"AESend", FN(AESend(nullptr, nullptr, 0, 0, 0, nullptr, nullptr)), " AESend", 0},
    {"AEProcessAppleEvent", FN(AEProcessAppleEvent(nullptr)), " AEProcessAppleEvent", 0},
    {"AESuspendTheCurrentEvent", FN(AESuspendTheCurrentEvent(nullptr)), " AESuspendTheCurrentEvent", 0},
    {"AEResumeTheCurrentEvent", FN(AEResumeTheCurrentEvent(nullptr, nullptr, nullptr, 0)), " AEResumeTheCurrentEvent", 0},
    {"AESetTheCurrentEvent", FN(AESetTheCurrentEvent(nullptr)), " AESetTheCurrentEvent", 0},
    {"AESetInteractionAllowed", FN(AESetInteractionAllowed(0)), " AESetInteractionAllowed", 0},
    {"AEInteractWithUser", FN(AEInteractWithUser(0, nullptr, nullptr)), " AEInteractWithUser", 0},
    {"AEInstallCoercionHandler", FN(AEInstallCoercionHandler(0, 0, nullptr, 0, 0, 0)), " AEInstallCoercionHandler", 0},
    {"AEResolve", FN(AEResolve(nullptr, 0, nullptr)), " AEResolve - Not Supported, System 7", 0},
    {"AEObjectInit", FN(AEObjectInit()), " AEObjectInit - Not Supported, System 7", 0},
    {"AEInstallObjectAccessor", FN(AEInstallObjectAccessor(0, 0, nullptr, 0, 0)), " AEInstallObjectAccessor - Not Supported, System 7", 0},
    {"CreateObjSpecifier", FN(CreateObjSpecifier(0, nullptr, 0, nullptr, 0, nullptr)), " CreateObjSpecifier - Not Supported, System 7", 0},
    {"CreateOffsetDescriptor", FN(CreateOffsetDescriptor(0, nullptr)), " CreateOffsetDescriptor - Not Supported, System 7", 0},
    {"CreateCompDescriptor", FN(CreateCompDescriptor(0, nullptr, nullptr, 0, nullptr)), " CreateCompDescriptor - Not Supported, System 7", 0},
    {"AESizeOfParam", FN(AESizeOfParam(nullptr, 0, nullptr, nullptr)), "", -1701},
    {"AEGetInteractionAllowed", FN(AEGetInteractionAllowed(nullptr)), "", 0},
    {"AEInstallEventHandler", FN(AEInstallEventHandler(0, 0, nullptr, 0, 0)), "", 0},
    {"AERemoveEventHandler", FN(AERemoveEventHandler(0, 0, nullptr, 0)), "", -1717},
    {"AEGetEventHandler", FN(AEGetEventHandler(0, 0, nullptr, nullptr, 0)), "", -1717},
    {"AcceptHighLevelEvent", FN(AcceptHighLevelEvent(nullptr, nullptr, nullptr, nullptr)), " AcceptHighLevelEvent", -608},
    {"GetSpecificHighLevelEvent", FN(GetSpecificHighLevelEvent(nullptr, nullptr, nullptr)), " GetSpecificHighLevelEvent", 0xA0},
    {"GetProcessInformation", FN(GetProcessInformation(nullptr, nullptr)), " GetProcessInformation", -50},
    {"SetFrontProcess", FN(SetFrontProcess(nullptr)), " SetFrontProcess", -600},
    {"ResolveAlias", FN(ResolveAlias(nullptr, nullptr, nullptr, nullptr)), " ResolveAlias", 0},
    {"NewAlias", FN(NewAlias(nullptr, nullptr, nullptr)), " NewAlias", 0},
    {"ResolveAliasFile", FN(ResolveAliasFile(nullptr, 0, nullptr, nullptr)), " ResolveAliasFile", 0},
    {"NewAliasMinimal", FN(NewAliasMinimal(nullptr, nullptr)), " NewAliasMinimal", 0},
    {"GetAliasInfo", FN(GetAliasInfo(nullptr, 0, nullptr)), " GetAliasInfo", -50},
    {"MatchAlias", FN(MatchAlias(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)), " MatchAlias", -50},
    {"UpdateAlias", FN(UpdateAlias(nullptr, nullptr, nullptr, nullptr)), " UpdateAlias", -50},
    {"BuildBDS", FN(BuildBDS(nullptr, nullptr, 0)), " BuildBDS", 0},
    {"PGetAppleTalkInfo", FN(PGetAppleTalkInfo(nullptr, 0)), " PGetAppleTalkInfo", 0},
    {"PKillNBP", FN(PKillNBP(nullptr, 0)), " PKillNBP", 0},
    {"PLookupName", FN(PLookupName(nullptr, 0)), " PLookupName", 0},
    {"PRegisterName", FN(PRegisterName(nullptr, 0)), " PRegisterName", 0},
    {"PRemoveName", FN(PRemoveName(nullptr, 0)), " PRemoveName", 0},
    {"PSendRequest", FN(PSendRequest(nullptr, 0)), " PSendRequest", 0},
    {"GetBridgeAddress", FN(GetBridgeAddress()), " GetBridgeAddress", 0},
    {"GetNodeAddress", FN(GetNodeAddress(nullptr, nullptr)), " GetNodeAddress", 0},
    {"MPPOpen", FN(MPPOpen()), " MPPOpen", 0},
    {"NBPExtract", FN(NBPExtract(nullptr, 0, 0, nullptr, nullptr)), " NBPExtract", 0},
    {"POpenATPSkt", FN(POpenATPSkt(nullptr, 0)), " POpenATPSkt", 0},
    {"PCloseATPSkt", FN(PCloseATPSkt(nullptr, 0)), " PCloseATPSkt", 0},
    {"ATPLoad", FN(ATPLoad()), " ATPLoad", 0},
    {"ATPOpenSocket", FN(ATPOpenSocket(AddrBlock{}, nullptr)), " ATPOpenSocket", 0},
    {"NBPLookup", FN(NBPLookup(nullptr, 0)), " NBPLookup", 0},
    {"NBPRegister", FN(NBPRegister(nullptr, 0)), " NBPRegister", 0},
    {"NBPRemove", FN(NBPRemove(nullptr)), " NBPRemove", 0},
    {"NBPSetEntity", PROC(NBPSetEntity(nullptr, nullptr, nullptr, nullptr)), " NBPSetEntity", kNoResult},
    {"NBPSetNTE", PROC(NBPSetNTE(nullptr, nullptr, nullptr, nullptr, 0)), " NBPSetNTE", kNoResult},
    {"PPCBrowser", FN(PPCBrowser(nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr)), " PPCBROWSER", 0},
    {"InitTSMAwareApplication", FN(InitTSMAwareApplication()), " InitTSMAwareApplication", 0},
    {"CloseTSMAwareApplication", FN(CloseTSMAwareApplication()), " CloseTSMAwareApplication", 0},
    {"NewTSMDocument", FN(NewTSMDocument(0, nullptr, nullptr, 0)), " NewTSMDocument", 0},
    {"DeleteTSMDocument", FN(DeleteTSMDocument(nullptr)), " DeleteTSMDocument", 0},
    {"ActivateTSMDocument", FN(ActivateTSMDocument(nullptr)), " ActivateTSMDocument", 0},
    {"DeactivateTSMDocument", FN(DeactivateTSMDocument(nullptr)), " DeactivateTSMDocument", 0},
    {"FixTSMDocument", FN(FixTSMDocument(nullptr)), " FixTSMDocument", 0},
    {"UseInputWindow", FN(UseInputWindow(nullptr, 0)), " UseInputWindow", 0},
    {"TSMEvent", FN(TSMEvent(nullptr)), " TSMEvent", 0},
    {"TSMMenuSelect", FN(TSMMenuSelect(0)), " TSMMenuSelect", 0},
    {"SetTSMCursor", FN(SetTSMCursor(Point{})), " SetTSMCursor", 0},
    {"TMSetSelection", PROC(TMSetSelection(nullptr, nullptr, 0)), " TMSetSelection", kNoResult},
    {"TMChoose", FN(TMChoose(nullptr, Point{}, nullptr, nullptr)), "", 0},
    {"HMGetHelpMenuHandle", FN(HMGetHelpMenuHandle(nullptr)), "", 0},
    {"HMShowBalloon", FN(HMShowBalloon(nullptr, Point{}, nullptr, nullptr, 0, 0, 0)), "", 0},
    {"HMRemoveBalloon", FN(HMRemoveBalloon()), "", 0},
    {"HMGetIndHelpMsg", FN(HMGetIndHelpMsg(0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)), "", 0},
    {"HMIsBalloon", FN(HMIsBalloon()), "", 0},
    {"HMGetBalloons", FN(HMGetBalloons()), "", 0},
    {"SystemZone", FN(SystemZone()), " SystemZone", 0},
    {"GZSaveHnd", FN(GZSaveHnd()), " GZSaveHnd", 0},
    {"TopMem", FN(TopMem()), " TopMem", 0},
    {"TempFreeMem", FN(TempFreeMem()), " TempFreeMem", 0},
    {"HoldMemory", FN(HoldMemory(nullptr, 0)), "", 0},
    {"UnholdMemory", FN(UnholdMemory(nullptr, 0)), "", 0},
    {"ScriptUtil", FN(ScriptUtil(1L, 2L, static_cast<void*>(nullptr))), " ScriptUtil", 0},
    {"SetScript", FN(SetScript(0, 0, 0)), " SetScript", 0},
    {"Pixel2Char", FN(Pixel2Char(nullptr, 0, 0, 0, nullptr)), " Pixel2Char", 0},
    {"ReplaceText", FN(ReplaceText(nullptr, nullptr, nullptr)), " ReplaceText", 0},
    {"KeyScript", PROC(KeyScript(0)), " KeyScript", kNoResult},
    {"DrawJust", PROC(DrawJust(nullptr, 0, 0)), " DrawJust", kNoResult},
    {"MeasureJust", PROC(MeasureJust(nullptr, 0, 0, nullptr)), " MEASUREJUST", kNoResult},
    {"TEFeatureFlag", FN(TEFeatureFlag(0, 0, nullptr)), " TEFeatureFlag", 0},
    {"elems68k", PROC(elems68k(1L, 2L, static_cast<void*>(nullptr))), " elems68k", kNoResult},
    {"x80tox96", PROC(x80tox96(nullptr, nullptr)), " x80tox96", kNoResult},
    {"x96tox80", PROC(x96tox80(nullptr, nullptr)), " x96tox80", kNoResult},
    {"x80told", FN(x80told(nullptr)), " x80told", 0},
    {"fp68k2", PROC(fp68k2(1L, 2L, static_cast<void*>(nullptr))), " fp68k2 (subcode)", kNoResult},
    {"PrJobMerge", PROC(PrJobMerge(nullptr, nullptr)), " PrJobMerge", kNoResult},
    {"SeedCFill", PROC(SeedCFill(nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr, 0)), " SeedCFill", kNoResult},
    {"CharExtra", PROC(CharExtra(0)), " CharExtra", kNoResult},
    {"PortChanged", PROC(PortChanged(nullptr)), " PortChanged", kNoResult},
    {"AllocCursor", PROC(AllocCursor()), " AllocCursor", kNoResult},
    {"CopyPalette", PROC(CopyPalette(nullptr, nullptr, 0, 0, 0)), " CopyPalette", kNoResult},
    {"RealColor", FN(RealColor(nullptr)), " RealColor", 0},
    {"PlotIconMethod", FN(PlotIconMethod(nullptr, 0, 0, nullptr, nullptr)), " PLOTICONMETHOD", 0},
    {"SetDepth", FN(SetDepth(nullptr, 0, 0, 0)), " SetDepth - Not Supported, System 7", 0},
    {"HasDepth", FN(HasDepth(nullptr, 0, 0, 0)), " HasDepth - Not Supported, System 7", 0},
    {"SetFScaleDisable", PROC(SetFScaleDisable(0)), " SetFScaleDisable", kNoResult},
    {"SetOutlinePreferred", PROC(SetOutlinePreferred(0)), " SetOutlinePreferred", kNoResult},
    {"GetOutlinePreferred", FN(GetOutlinePreferred()), " GetOutlinePreferred", 0},
    {"OutlineMetrics", FN(OutlineMetrics(0, nullptr, Point{}, Point{}, nullptr, nullptr, nullptr, nullptr, nullptr)), " OutlineMetrics", -1},
    {"GetAuxiliaryControlRecord", FN(GetAuxiliaryControlRecord(nullptr, nullptr)), " GetAuxCtl", 0},
    {"SetControlColor", PROC(SetControlColor(nullptr, nullptr)), " SetCtlColor", kNoResult},
    {"GetAuxWin", FN(GetAuxWin(nullptr, nullptr)), " GetAuxWin", 0},
    {"FlashMenuBar", PROC(FlashMenuBar(0)), " FlashMenuBar", kNoResult},
    {"InvalMenuBar", PROC(InvalMenuBar()), " InvalMenuBar", kNoResult},
    {"SetMCEntries", PROC(SetMCEntries(0, nullptr)), " SetMCEntries", kNoResult},
    {"SetMCInfo", PROC(SetMCInfo(nullptr)), " SetMCInfo", kNoResult},
    {"DisposeMCInfo", PROC(DisposeMCInfo(nullptr)), " DispMCInfo", kNoResult},
    {"GetMCInfo", FN(GetMCInfo()), " GetMCInfo", 0},
    {"OSDispatch", FN(OSDispatch(1L, 2L, static_cast<void*>(nullptr))), " OSDispatch", 0},
    {"KeyTranslate", FN(KeyTranslate(nullptr, 0, nullptr)), " KeyTrans", 0},
    {"SetResourceSize", PROC(SetResourceSize(nullptr, 0)), " SetResourceSize", kNoResult},
    {"WritePartialResource", PROC(WritePartialResource(nullptr, 0, nullptr, 0)), " WritePartialResource", kNoResult},
    {"ReadPartialResource", PROC(ReadPartialResource(nullptr, 0, nullptr, 0)), " ReadPartialResource", kNoResult},
    {"PBHOpenRF", FN(PBHOpenRF(nullptr, 0)), " PBHOpenRF", -1},
    {"PBHSetFLock", FN(PBHSetFLock(nullptr, 0)), " PBHSetFLock", -1},
    {"PBHRstFLock", FN(PBHRstFLock(nullptr, 0)), " PBHRstFLock", -1},
    {"PBLockRange", FN(PBLockRange(nullptr, 0)), " PBLockRange", -1},
    {"FSpOpenResFile", FN(FSpOpenResFile(nullptr, 0)), " FSpOpenResFile", -1},
    {"FSpSetFInfo", FN(FSpSetFInfo(nullptr, nullptr)), " FSpSetFInfo", -1},
    {"PBCatMove", FN(PBCatMove(nullptr, 0)), " PBCatMove", -1},
    {"PBDTGetPath", FN(PBDTGetPath(nullptr)), " PBDTGetPath", -1},
    {"PBControl", FN(PBControl(nullptr, 0)), " PBControl", -1},
    {"PBControlSync", FN(PBControlSync(nullptr)), " PBControlSync", -1},
    {"PBCatSearch", FN(PBCatSearch(nullptr, 0)), " PBCatSearch", -1},
    {"PBDTGetAPPL", FN(PBDTGetAPPL(nullptr, 0)), " PBDTGetAPPL", -1},
    {"PBDTGetAPPLSync", FN(PBDTGetAPPLSync(nullptr)), " PBDTGetAPPLSync", -1},
    {"PBSetCatInfoSync", FN(PBSetCatInfoSync(nullptr)), " PBSetCatInfoSync", -1},
    {"PBDTGetIcon", FN(PBDTGetIcon(nullptr, 0)), " PBDTGetIcon", -1},
    {"PBHOpenDeny", FN(PBHOpenDeny(nullptr, 0)), " PBHOPENDENY", -1},
    {"PBUnlockRange", FN(PBUnlockRange(nullptr, 0)), " PBUnockRange", -1},
    {"HOpenRF", FN(HOpenRF(0, 0, nullptr, 0, nullptr)), " HOPENRF", -1},
    {"OpenRF", FN(OpenRF(nullptr, 0, nullptr)), " OpenRF", -36},
    {"SetFInfo", FN(SetFInfo(nullptr, 0, nullptr)), " SetFInfo", -36},
    {"PBOpenRF", FN(PBOpenRF(nullptr, 0)), " PBOpenRF", -36},
    {"FSpCreateResFile", PROC(FSpCreateResFile(nullptr, 0, 0, 0)), " FSpCreateResFile", kNoResult},
    {"DILoad", PROC(DILoad()), " DILoad", kNoResult},
    {"DIUnload", PROC(DIUnload()), " DIUnload", kNoResult},
    {"GetDCtlEntry", FN(GetDCtlEntry(0)), " GetDCtlEntry", 0},
    {"PBStatus", FN(PBStatus(nullptr, 0)), " PBStatus", 0},
    {"SetChooserAlert", FN(SetChooserAlert(0)), " SetChooserAlert", 0},
    {"GetDrvQHdr", FN(GetDrvQHdr()), " GetDrvQHdr", 0},
    {"GetVCBQHdr", FN(GetVCBQHdr()), " GetVCBQHdr", 0},
    {"SetDateTime", FN(SetDateTime(0)), " SetDateTime", -1},
    {"CallPascal", PROC(CallPascal(1L, 2L, static_cast<void*>(nullptr))), " CallPascal", kNoResult},
    {"CallPascalB", FN(CallPascalB(1L, 2L, static_cast<void*>(nullptr))), " CallPascalB", 0},
    {"CallPascalW", FN(CallPascalW(1L, 2L, static_cast<void*>(nullptr))), " CallPascalW", 0},
    {"CallPascalL", FN(CallPascalL(1L, 2L, static_cast<void*>(nullptr))), " CallPascalL", 0},
    {"CustomGetFile", PROC(CustomGetFile(nullptr, 0, nullptr, nullptr, 0, Point{}, nullptr, nullptr, nullptr, nullptr, nullptr)), " CustomGetFile", kNoResult},
    {"CustomPutFile", PROC(CustomPutFile(nullptr, nullptr, nullptr, 0, Point{}, nullptr, nullptr, nullptr, nullptr, nullptr)), " CustomPutFile", kNoResult},
    {"GetScript", FN(GetScript(0, 0)), " GetScript", 0},
};

void ExpectEveryEntryPoint(bool reportsExpected) {
  for (const EntryPoint& entry : kEntryPoints) {
    zebtest::DebugCapture capture;
    const long result = entry.call();
    const std::string report = entry.report;
    EXPECT_EQ(capture.Text(), reportsExpected && !report.empty() ? report + "\r\n" : "")
        << entry.name;
    EXPECT_EQ(result, entry.result) << entry.name;
  }
}

TEST(UnsupportedEntryPointListTest, CoversEveryEntryPointOnce) {
  std::set<std::string> names;
  for (const EntryPoint& entry : kEntryPoints) names.insert(entry.name);
  EXPECT_EQ(names.size(), std::size(kEntryPoints));
  EXPECT_EQ(names.size(), 266u);
}

using UnsupportedEntryPointTest = zebtest::SessionTest;

TEST_F(UnsupportedEntryPointTest, EachReportsItsTextAndReturnsItsResult) {
  ExpectEveryEntryPoint(true);
}

class SilencedEntryPointTest : public zebtest::SessionTest {
 protected:
  SilencedEntryPointTest() { sessionFlags_ = ZEB_SF_SILENTDEBUG; }
};

TEST_F(SilencedEntryPointTest, SessionFlagSilencesEveryReportAndKeepsTheResults) {
  ExpectEveryEntryPoint(false);
}

// Every report goes through DebugStr, so its settings apply: a break after each report too.
TEST_F(UnsupportedEntryPointTest, ReportsAreDebugStrReportsWithItsBreakSetting) {
  char ini[MAX_PATH];
  ZEB_MakeAppPathName(ini, "ZEBPORT.INI");
  WritePrivateProfileStringA("zebport2", "DebugStrBreak", "1", ini);
  zebtest::DebugCapture capture;
  SndPlay(nullptr, nullptr, false);
  HMIsBalloon();
  WritePrivateProfileStringA("zebport2", "DebugStrBreak", nullptr, ini);
  EXPECT_EQ(capture.Text(), " SndPlay\r\n");
  EXPECT_EQ(capture.Breakpoints(), 1) << "the silent HMIsBalloon does not break";
}

}  // namespace
