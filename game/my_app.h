// c_MyApp: the whole game, one object holding all game state, split across game/*.cpp by feature.
//
// Invariants:
// - The game never draws while it updates: every drawing call appends a 15-float command to m_drawList
//   (draw_list.cpp), and p_OnRender replays the list scaled from the virtual screen (render.cpp).
// - Entities are not objects: each kind is a preallocated float array with ten floats per entry; arrays are
//   allocated once by m_new and cleared in place, never reallocated.
// - -3717 means "not given" or "no value" throughout (optional arguments, lifted touch points).
// - Every float-to-int conversion truncates toward zero.
// Members are grouped under the file that implements them.
#pragma once

#include "framework/app/app.h"
#include "framework/audio/audio.h"
#include "framework/graphics/graphics.h"
#include "game/globals.h"
#include "game/numbers.h"
#include "net/http_request.h"

constexpr float kNone = -3717;  // "not given" / "no value"

// c_App stays the first base, so that the game object and its collected Object part share one address.
class c_MyApp : public c_App, public c_IOnHttpRequestComplete {
 public:
  // --- state.cpp: construction and the lifecycle hooks that are not frame-driven
  c_MyApp* m_new();
  int p_OnCreate() override;
  int p_OnSuspend() override;
  int p_OnResume() override;
  void mark() override;

  // --- update.cpp: one frame of logic
  int p_OnUpdate() override;
  void p_ReadGlobalKeys();
  void p_UpdatePointer();
  void p_UpdateLatches();
  void p_RunMode();
  void p_UpdatePanels();
  void p_TakeICadeChars();
  void p_OnScreenJoypad();
  void p_Tilt();
  void p_DebugLine();
  void p_PrintStats();

  // --- draw_list.cpp: the draw state and the command list
  int p_ResetDraw();
  int p_SetSize(float x, float y = kNone);
  int p_SetRot(float angle);
  int p_Alpha(float alpha);
  int p_SetCol(float red, float green, float blue, float alpha = kNone);
  int p_Ink(int preset, float brightness);
  int p_DrawImg(int slot, float x, float y, float frame);
  int p_Rect(float x, float y, float width, float height);
  int p_Oval(float x, float y, float xRadius, float yRadius);
  int p_Line(float x1, float y1, float x2, float y2);
  int p_CLS2D(float red, float green, float blue, float alpha);
  int p_DoBG(int red, int green, int blue, float alpha);

  // --- render.cpp: the render pass
  int p_OnRender() override;
  void p_UpdateScale(float deviceWidth, float deviceHeight);
  void p_ReplayDrawList(float scale);
  float p_OverscanY();  // the top margin in device pixels: the overscan scaled to the window's aspect

  // --- controls.cpp: game keys, the analogue stick, touch tests
  int p_PlayKey(int code, int allowStick, int player);
  int p_PlayKeyAll(int code, int allowStick);
  float p_StickX(int stick, int player);
  float p_StickY(int stick, int player);
  int p_AnalogueControl();
  int p_iCade(int on);
  void p_ApplyICadeChar(int character);
  int p_MouseIn(float x, float y, float width, float height);
  int p_MouseIn_Centered(float x, float y, float width, float height);
  int p_Touch(float x, float y, float width, float height);
  bool p_LatchesClear();  // neither the input latch nor the key latch is set
  void p_SetLatches();    // both set: the press has acted

  // --- text.cpp: bitmap-font text
  int p_Text(float x, float y, String text, float hAlign = 0, float vAlign = 0, int fontOffset = 0);
  String p_rstr(int value, int width, String pad);
  String p_rstr2(int value);  // width 11, blank pad: the menu's score lists

  // --- loader.cpp: image and sound slots, the loader's steps, the loading screen
  void p_ChooseResolution();
  void p_ReportDataFile(String name, String consequence);
  bool p_LoadSlot(int slot, String file, int frameW, int frameH, int frames, int flags);
  int p_LoadImg(int slot, String name, int frameW, int frameH, int frames, int flags);
  int p_LoadFont(int slot, String name, int advance, int lineHeight);
  int p_ReserveImg(int slot, int width, int height);
  int p_LoadSFX(int number);
  int p_Reload();
  int p_Loader();
  int p_WaitStart(int mode);

  // --- sound.cpp: effects and music
  int p_PlaySFX(int index, float rate, float volume, float pan);
  int p_PlayTune(String name, int loop);
  int p_StopTune();

  // --- buttons.cpp: touch buttons, quit guard, full screen
  int p_Button(int slot, float x, float y, int frame);
  int p_Button97(float x, float y, int frame) { return p_Button(97, x, y, frame); }
  int p_Button0(int slot, float x, float y, int frame);
  bool p_GearButton(float x, float y);
  int p_ButtonTouched(int slot, float x, float y, int frame, int lastTouch);
  int p_OuyaQuit();
  int p_FullscreenFlip();

  // --- play.cpp: a new game and one update of play (mode 10)
  int p_LoadGame();
  int p_Game();
  int p_InGame();
  int p_Rand(float low, float high);  // an integer from low to high inclusive
  float p_WorldCentreX();             // world pixels
  float p_WorldCentreY();
  int p_AddTurret(float column, float row, int kind);
  void p_TintGrid();
  void p_PulseBackground();
  void p_MoveCamera();
  bool p_NearScreen(float x, float y);  // virtual pixels
  void p_DrawGrid();
  void p_MoveCursor();
  void p_CursorRings();
  void p_RunWaves(int enemies);
  void p_MoneyDisplay();
  void p_Pause();

  // --- turrets.cpp: turrets, their shots and the link panel
  void p_UpdateTurrets();
  void p_UpdateTurret(int entry, int linkedBefore, int& inRange);
  void p_TurretFire(float* turret);
  void p_LinkPanel();
  void p_PanelDetails(float* turret, float x, float y);

  // --- enemies.cpp: the object table of enemies, bullets and pickups
  int p_FreeObjectSlot();  // the lowest free slot, -1 when the table is full
  int p_SpawnBaddies(int level, int count);
  int p_ObjectPass();  // returns the number of enemies visited
  void p_MoveBullet(float* bullet);
  void p_UpdateEnemy(float* enemy, int slot, int ms);
  void p_ThrowSpark(const float* enemy, int preset);  // angle drawn first, then speed
  void p_SteerEnemy(float* enemy);
  void p_DrawEnemy(const float* enemy, int slot, int ms);
  void p_EnemyContact(float* enemy);
  void p_UpdatePickup(float* pickup, int slot, int ms);
  int p_Gimme(int points, float x, float y);

  // --- particles.cpp: sparks and score numbers
  int p_FreeParticleSlot();  // the highest free slot, -1 when none is free
  int p_ThrowParticle(float x, float y, int preset, float angle, float speed);
  int p_DoParticles(float scale);
  int p_ResetStars(int count);

  // --- scores.cpp: the score display, placings, the end-of-game sequence
  int p_TopTenStart();  // index in m_scores of the current difficulty's top ten
  String p_Nth(int n);
  int p_MyPlace();  // 1..10, or 0 when m_score would take no place
  String p_MyNth();
  int p_ScoreDisplay();
  int p_GameOver();
  void p_DrawGameOver();

  // --- menu.cpp: the title screen (mode 1)
  int p_Menu();
  bool p_PanelOpen();    // the options or the open strip cover the menu
  bool p_MenuLeave();
  void p_MenuStrip(float strip);
  void p_PlayIcon(float strip);
  void p_ScoreLists(float strip);
  void p_MenuKeys();
  bool p_RepeatStep();
  void p_MenuSelect();
  void p_StartRound();

  // --- menu_dial.cpp: the options gear and the difficulty dial
  void p_MenuDial();
  void p_DrawGear(float x, float y);
  void p_DragDial(float x, float y);
  void p_DialEntry(int entry, float centreX, float centreY);
  void p_SpinPastEntry(int entry, float angle);
  void p_TouchEntry(int entry, float x, float y);

  // --- menu_strip.cpp: the open strip: credits and statistics
  void p_OpenStrip(float strip);
  void p_CreditDots(float centreX, float centreY);
  void p_Credits(float x, float middleY);
  void p_StripStats(float x);

  // --- options.cpp: the options panel
  int p_OptionBox();
  void p_CloseOptions();
  void p_OptionsBack(float x);
  void p_OptionRow(int row, int index, float y);
  String p_OptionLabel(int row);
  void p_OptionAct(int row);
  void p_SetSoundMode(int mode);
  void p_OptionsNavigate(int rowCount);
  void p_SafeAreaMarks();
  void p_OverscanSlider(float x, float y, int& keyLatch);

  // --- pause.cpp: the pause menu
  int p_PauseMenu();
  void p_PausePattern();
  void p_PauseButtonPlaces(float* places);
  void p_PauseButtons();
  void p_PauseKeys();
  void p_PausePress(int button, bool byKey);
  void p_PauseOverscan();

  // --- persistence.cpp: settings, badges and high scores in the saved state (format: saved_state.h)
  int p_Save();
  int p_Load();
  int p_LoadMenu();  // records m_score in the lists of m_difficulty, then saves
  void p_ClampSettings();
  int m_newRank = -1;  // place 0..9 the last recorded round took in its top ten; -1 none

  // --- badges.cpp: badge texts, awarding, the notification strip
  String p_BadgeID(int badge);
  String p_BadgeName(int badge);
  String p_BadgeDetail(int badge);
  int p_GC_PostScore(int score, int mode);
  int p_GC_Badges();
  int p_AwardBadge(int badge);
  int p_ShowBadges();
  Array<int> m_toastBadge;  // badge shown in each of the 15 notification slots
  Array<int> m_toastTime;   // age of each slot, updates; 0 free
  int m_toastWidth = 160;   // virtual pixels

  // --- ping.cpp: the start-up ping
  int p_PingFromEnvironment();
  int p_GetURL(String url, String query);
  void p_OnHttpRequestComplete(c_HttpRequest* request) override;
  int p_TakePingOutcome();
  Ref<c_HttpRequest> m_pingRequest;  // null until the ping is sent (never in a replay)
  KoPingOutcome m_pingOutcome;       // what the request has delivered, taken by the next update
  int m_pingDone = 0;                // 1 once the answer (or the failure) arrived
  String m_pingUrl{"http://quarzel.example/housecall.php"};  // QUARZEL_PING_URL replaces it

  // ---------------------------------------------------------------------------------------------------------
  // Mode and flow
  int m_mode = 0;  // 1 menu, 2 return to the menu, 4 quit guard, 5 start screen, 10 playing, 11 new game
  int m_paused = 0;
  int m_pauseCursor = 0, m_pauseSlide = 0;
  int m_pauseSel = 0;  // the pause menu's selected button
  int m_gameOverTimer = 0;  // 1 from the pause menu's end-round item until the next game starts
  int m_endStep = 0;        // the end-of-game sequence's step, 0 when idle
  int m_difficulty = 0;  // 1 Easy, 2 Normal, 3 Hard

  // Display and timing
  int m_lastDevW = 0, m_lastDevH = 0;  // device pixels at the last render
  float m_scaleX = 1, m_scaleY = 1;    // device pixels per virtual pixel (1 until the first render)
  int m_fitAxis = 0;                   // 1 the width limits the scale, 2 the height
  int m_landscape = 0;
  int m_renderLast = 0, m_renderFps = 0, m_renderFpsAvg = 0;  // milliseconds, renders per second
  int m_updateLast = 0, m_updateFps = 0, m_updateFpsAvg = 0;  // milliseconds, updates per second
  int m_loadStep = 0;                                         // above 0: the loader's next step
  int m_hdScale = 1;                                          // art resolution factor 1, 2 or 4
  float m_hdInvScale = 1;

  // Drawing
  float m_sizeX = 1, m_sizeY = 1;
  float m_rot = 0;  // degrees, as the framework takes them (p_SetRot stores the negated angle)
  float m_red = 255, m_green = 255, m_blue = 255;
  float m_alpha = 1;
  int m_blend = 1;  // 3 additive, anything else alpha blending
  Array<float> m_drawList;
  int m_drawLen = 0;  // floats in use
  float m_bgRed = 0, m_bgGreen = 0, m_bgBlue = 0, m_bgAlpha = 0;
  Array<float> m_bgTarget, m_bgCurrent;  // three channels each

  // Assets
  Array<c_Image*> m_images;
  Array<int> m_imgInfo;  // per slot: frame width, frame height, frame count (device pixels of the art)
  int m_font = 0;
  Array<c_Sound*> m_sounds;
  int m_sfxChannel = 0;
  String m_tune;
  int m_musicOn = 0;
  int m_jinglePlayed = 0;
  int m_spin = 0;  // loading-ring angle, degrees

  // Input
  Array<int> m_pad;  // virtual pad per game key 0..19: 1 on-screen press this update, 2 held by iCade
  int m_controlMode = 0;  // 0 keyboard, 1 joypad, 2 mouse or touch
  int m_mouseX = 0, m_mouseY = 0;          // virtual pixels
  int m_prevMouseX = 0, m_prevMouseY = 0;  // virtual pixels, one update earlier
  int m_mouseDown = 0, m_prevMouseDown = 0, m_mouseHit = 0;
  Array<int> m_touchOn, m_touchX, m_touchY;  // ten points, virtual pixels; -3717 when up
  int m_inputLatch = 0, m_keyLatch = 0, m_inputDelay = 0;
  float m_stickX = 0, m_stickY = 0;    // -1..1
  float m_keyVelX = 0, m_keyVelY = 0;  // -1..1
  int m_touchAnchorX = -1, m_touchAnchorY = 0;  // virtual pixels; x -1: no anchor
  int m_lastChar = 0;
  int m_padX = 0, m_padY = 0;  // on-screen joypad centre, virtual pixels
  float m_padScale = 1;
  int m_pinching = 0, m_pinchLast = 0;  // a two-finger resize of the on-screen joypad in progress
  float m_accelZeroX = 0, m_accelZeroY = 0;
  float m_tiltX = 0, m_tiltY = 0;        // smoothed tilt
  float m_rawTiltX = 0, m_rawTiltY = 0;  // tilt this update

  // Persistent data
  Array<int> m_settings;  // option values; [5] the sound mode
  Array<int> m_scores;
  Array<bool> m_badges;
  Array<int> m_channels;  // audio channel per ring position

  // Play
  Array<float> m_units, m_objs, m_particles, m_grid;
  int m_particleMax = 250;
  int m_gridW = 0, m_gridH = 0;  // cells
  float m_camX = 0, m_camY = 0, m_camTargetX = 0, m_camTargetY = 0;  // world pixels
  int m_waveState = 1;              // 1 waiting at the start marker, 2 wave running
  int m_wave = 0, m_waveTimer = 0;  // wave number; updates left in its spawning phase
  int m_money = 0;
  int m_score = 0, m_shownScore = 0;
  float m_bgPulse = 0;  // background pulse amplitude, 10..40

  // Front end
  int m_optionsOpen = 0, m_optionsSlide = 0;  // slide 0..30
  int m_sidePanelOpen = 0;
  float m_sidePanelX = 0;  // virtual pixels
  int m_hideHud = 0;
  int m_printStats = 0;    // updates between the statistics lines QUARZEL_STATS asks for; 0 none
  int m_statsUpdates = 0;  // updates since the last line
  String m_pingReply;
  int m_menuSel = 1;        // dial selection: 0..2 the difficulty; -1 a console's quit entry
  int m_menuSlide = -32;    // virtual pixels; rises to 0 as the title screen slides in
  enum MenuFocus { kFocusGear, kFocusDial, kFocusStrip };
  int m_menuFocus = kFocusGear;
  float m_dialTarget = -32;  // degrees
  float m_dialAngle = 0;     // degrees, easing toward the target
  float m_dialSpin = 0;      // degrees per frame, given by a drag
  float m_gearAngle = 0;     // degrees
  int m_dialTouchPick = 0;   // 1 after an entry was picked by touch, until input is released
  int m_dragHeld = 0;        // a touch was on the dial last frame, at (m_dragX, m_dragY), virtual pixels
  float m_dragX = 0, m_dragY = 0;
  int m_repeatCountdown = -1, m_repeatStart = 30;  // updates: the dial keys' repeat while held
  float m_creditScroll = 0;  // virtual pixels
  int m_creditTop = 0;       // the credit line at the scroll origin
  int m_optCursor = 0;       // the options' row: 0 the back button
  int m_optKeyLatch = 0, m_optTouchLatch = 0;
  float m_pauseArmA = 0, m_pauseArmB = 0;  // degrees
  float m_pauseSpeed = 5;                  // degrees per update of the second arm, 0..128
  float m_pauseArm = 72;                   // virtual pixels, length of the second arm
  float m_pauseHue = 0;                    // degrees
  Array<float> m_pauseTrail;               // 102 points (x, y), oldest first
  int m_pauseTrailStarted = 0;
  int m_buttonHit = 0;
  int m_fullscreen = 0;
};
