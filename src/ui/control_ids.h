// The main window's controls, by their fixed ids. The display, the event handler and printing
// address every control through these numbers; start-up and the pipe-layout exit show and hide
// them by id ranges, so the numbers must not change.
#pragma once

namespace torveld::ids {

// Size selector.
inline constexpr int kSizeList = 302;           // drop-down "Thread Size"
inline constexpr int kSizePanel = 432;          // grey panel behind the size list
inline constexpr int kSizeCaption = 394;        // "THREAD SIZE"
inline constexpr int kThreadTypeCaption = 393;  // "THREAD TYPE" over the series radios

// External grid: upper row (normal class), lower row (close class).
inline constexpr int kExtNormalMajorMax = 303;
inline constexpr int kExtNormalMajorMin = 304;
inline constexpr int kExtNormalMajorMean = 305;
inline constexpr int kExtCloseMajorMax = 306;
inline constexpr int kExtCloseMajorMin = 307;
inline constexpr int kExtCloseMajorMean = 308;
inline constexpr int kExtNormalPitchMax = 309;
inline constexpr int kExtNormalPitchMin = 310;
inline constexpr int kExtClosePitchMax = 311;
inline constexpr int kExtClosePitchMin = 312;
inline constexpr int kExtNormalMinor1 = 313;  // under caption 368 ("REF" or "MAX")
inline constexpr int kExtNormalMinor2 = 314;  // under caption 369 ("MIN")
inline constexpr int kExtCloseMinor1 = 315;
inline constexpr int kExtCloseMinor2 = 316;
inline constexpr int kExtNormalWiresMax = 317;
inline constexpr int kExtNormalWiresMin = 318;
inline constexpr int kExtCloseWiresMax = 319;
inline constexpr int kExtCloseWiresMin = 320;

// Middle row.
inline constexpr int kExtHeight = 321;
inline constexpr int kExtFlat = 322;
inline constexpr int kPitch = 323;
inline constexpr int kBestWire = 324;
inline constexpr int kConstant = 325;
inline constexpr int kRadius1 = 326;  // under caption 372 ("CREST" or "MAX")
inline constexpr int kRadius2 = 327;  // under caption 373 ("ROOT" or "MIN")

// Internal grid: upper row (normal class), lower row (close class).
inline constexpr int kIntNormalMinorMin = 328;
inline constexpr int kIntNormalMinorMax = 329;
inline constexpr int kIntNormalMinorMean = 330;
inline constexpr int kIntCloseMinorMin = 331;
inline constexpr int kIntCloseMinorMax = 332;
inline constexpr int kIntCloseMinorMean = 333;
inline constexpr int kIntNormalPitchMin = 334;
inline constexpr int kIntNormalPitchMax = 335;
inline constexpr int kIntClosePitchMin = 336;
inline constexpr int kIntClosePitchMax = 337;
inline constexpr int kIntNormalMajorMin = 338;
inline constexpr int kIntNormalMajorMax = 339;
inline constexpr int kIntCloseMajorMin = 340;
inline constexpr int kIntCloseMajorMax = 341;
inline constexpr int kIntHeight = 342;
inline constexpr int kIntFlat = 343;

// Fields of the pipe layout only.
inline constexpr int kPipeIntFlatMin = 344;
inline constexpr int kPipeExtFlatMin = 345;
inline constexpr int kPipeTapDepth = 346;

// Lists and headers.
inline constexpr int kDrillChart = 347;      // list view, the tap-drill guide
inline constexpr int kEngagementList = 348;  // list box, also the pipe lengths list
inline constexpr int kExternalHeader = 349;
inline constexpr int kInternalHeader = 350;
inline constexpr int kTitle = 435;

// Class row labels.
inline constexpr int kExtNormalLabel = 351;
inline constexpr int kExtCloseLabel = 352;
inline constexpr int kIntNormalLabel = 374;
inline constexpr int kIntCloseLabel = 375;

// Captions of the external grid.
inline constexpr int kExtMajorCaption = 353;
inline constexpr int kExtPitchCaption = 354;
inline constexpr int kExtMinorCaption = 355;
inline constexpr int kOverWiresCaption = 356;
inline constexpr int kExtMajorMaxCaption = 363;
inline constexpr int kExtMajorMinCaption = 364;
inline constexpr int kExtMajorMeanCaption = 365;
inline constexpr int kExtPitchMaxCaption = 366;
inline constexpr int kExtPitchMinCaption = 367;
inline constexpr int kExtMinor1Caption = 368;
inline constexpr int kExtMinor2Caption = 369;
inline constexpr int kWiresMaxCaption = 370;
inline constexpr int kWiresMinCaption = 371;

// Captions of the middle row.
inline constexpr int kRadiiCaption = 357;
inline constexpr int kExtHeightCaption = 358;
inline constexpr int kExtFlatCaption = 359;
inline constexpr int kPitchCaption = 360;
inline constexpr int kBestWireCaption = 361;
inline constexpr int kConstantCaption = 362;
inline constexpr int kRadius1Caption = 372;
inline constexpr int kRadius2Caption = 373;

// Captions of the internal grid.
inline constexpr int kIntMinorCaption = 376;
inline constexpr int kIntPitchCaption = 377;
inline constexpr int kIntMajorCaption = 378;
inline constexpr int kIntMinorMinCaption = 379;
inline constexpr int kIntMinorMaxCaption = 380;
inline constexpr int kIntMinorMeanCaption = 381;
inline constexpr int kIntPitchMinCaption = 382;
inline constexpr int kIntPitchMaxCaption = 383;
inline constexpr int kIntMajorMinCaption = 384;
inline constexpr int kIntMajorMaxCaption = 385;
inline constexpr int kIntHeightCaption = 386;
inline constexpr int kIntFlatCaption = 387;

// Captions of the pipe layout only.
inline constexpr int kPipeIntFlatMinCaption = 388;
inline constexpr int kPipeExtFlatMinCaption = 389;
inline constexpr int kPipeExtFlatCaption = 390;
inline constexpr int kPipeIntFlatCaption = 391;
inline constexpr int kTapDepthCaption = 392;

// Captions of the lists.
inline constexpr int kDrillChartCaption = 395;  // "TAP DRILL GUIDE"
inline constexpr int kEngagementCaption = 396;  // "ENGAGEMENT" or the lengths heading

// Buttons.
inline constexpr int kHide = 397;
inline constexpr int kClose = 398;
inline constexpr int kInfo = 434;
inline constexpr int kPrint = 442;
inline constexpr int kMeasure = 443;  // opens the MEASURE window (Ctrl+M)
inline constexpr int kPipeExit = 433;
// No control: the id the keys of the find box (Ctrl+F, "/") click.
inline constexpr int kFind = 438;

// Not a control: the id Ctrl+C is bound to, which copies the whole display (main_keys.h).
inline constexpr int kCopyDisplay = 490;

// Unit radios.
inline constexpr int kInches = 399;
inline constexpr int kMillimeters = 400;

// Series radios, 401 to 426 (see seriesRadioId for which is which).
inline constexpr int kFirstSeriesRadio = 401;
inline constexpr int kLastSeriesRadio = 426;
inline constexpr int kUncRadio = 401;
inline constexpr int kUnfRadio = 402;
inline constexpr int kUnefRadio = 403;
inline constexpr int kUnRadio = 404;
inline constexpr int kUnsRadio = 405;
inline constexpr int kUnjRadio = 406;
inline constexpr int kUnjcRadio = 407;
inline constexpr int kUnjfRadio = 408;
inline constexpr int kUnjefRadio = 409;
inline constexpr int kNptRadio = 410;
inline constexpr int kNpsmRadio = 411;
inline constexpr int kAcmeRadio = 412;
inline constexpr int kStubAcmeRadio = 413;
inline constexpr int kIsoCoarseRadio = 414;
inline constexpr int kIsoFineRadio = 415;
inline constexpr int kUnmRadio = 416;
inline constexpr int kNpslRadio = 417;
inline constexpr int kNptfRadio = 418;
inline constexpr int kBswRadio = 419;
inline constexpr int kBsfRadio = 420;
inline constexpr int kBaRadio = 421;
inline constexpr int kUncStiRadio = 422;
inline constexpr int kUnfStiRadio = 423;
inline constexpr int kGRadio = 424;
inline constexpr int kRRadio = 425;
inline constexpr int kTrRadio = 426;

}  // namespace torveld::ids
