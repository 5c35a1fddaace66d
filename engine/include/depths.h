// The depth of everything the game draws, band by band from far to near.
//
// A sprite's depth is its z: the scene list draws from far (small) to near
// (large), and the nearer of two overlapping sprites shows. Sprites of equal
// depth overlap by the order they were put in the list, so where the game
// gives one sprite two depths (as built, and once it moves), both have a
// name here and the comment says why.
#pragma once

// ---- The backdrop ------------------------------------------------------------
constexpr double kBackdropDepth = 0.0;

// ---- The playfield: 1 to 4 ---------------------------------------------------
// The tank: its cannon and road wheels stand behind the hull (wheel cover,
// body and bridge). The wheel cover is built nearer still, in front of the
// hull, where the title screen shows it until the first round places it.
constexpr double kTankUnderPartDepth = 1.0;
constexpr double kTankHullDepth = 2.0;
constexpr double kWheelCoverBuildDepth = 4.0;

constexpr double kAlienDepth = 2.0;
constexpr double kFlareDepth = 2.0;
constexpr double kShotDepth = 2.0;
constexpr double kMothershipDepth = 2.0;

// A shield's arc is built, and set up for each level, at the depth of the
// aliens; once it moves it stands with its balls, in front of them.
constexpr double kShieldArcBuildDepth = 2.0;
constexpr double kShieldDepth = 3.0;

// Debris in flight. The tanks' and the aliens' pieces, which are never shown
// (they carry the smoke), are built further forward; launching moves them.
constexpr double kDebrisDepth = 3.0;
constexpr double kHiddenDebrisBuildDepth = 10.0;

// ---- Effect particles ----------------------------------------------------------
constexpr double kEffectDepth = 90.0;

// ---- The heads-up display: 97.9 to 99 -----------------------------------------
constexpr double kPanelDepth = 97.9;
constexpr double kLabelDepth = 98.0;
// Digits are built, and scores shown, at this depth; the game's reset and
// the lives count remake them one step nearer (equal-depth order: in front
// of the labels either way).
constexpr double kDigitDepth = 98.0;
constexpr double kRemadeDigitDepth = 99.0;

// ---- The title menu: 98.7 to 99 ------------------------------------------------
constexpr double kMenuShadeDepth = 98.7;
constexpr double kMenuTextDepth = 98.9;   // items, highlights, "Back", credits
constexpr double kMenuWindowDepth = 99.0;

// ---- The loading screen's cover, and the front ---------------------------------
constexpr double kLoadingCoverDepth = 99.99;
// Banners, the hall of fame's lines, the typed name, the loading texts.
constexpr double kFrontDepth = 100.0;
