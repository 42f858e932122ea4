// The graphics window's program-wide state, which the painting, the highlight
// and the kinds' drawing code read. Everything here belongs to the graphics
// thread (other threads reach it through the doors of GraphicsThread.h);
// only the render-mode flag, which other threads may read, is atomic.
#pragma once

#include <atomic>

// 1 while the picture is the OpenGL one.
inline std::atomic<bool> g_RenderedMode{false};
// The window obtained an OpenGL context.
inline bool g_RenderAvailable = false;
// Render mode was left for a window move or resize, or for a scroll-thumb
// drag (one flag per bar), and comes back at its end.
inline bool g_ResizeRender = false;
inline bool g_RenderOffForScroll[2] = {false, false};
inline bool g_Minimised = false;
// Keeps the view from shifting to show the highlighted item (F8).
inline bool g_FreezeView = false;
// The scroll bars turn the model instead of panning it.
inline bool g_TurnMode = false;
// Scale of support and data-item symbols: steps of 0.1 from 0.1 to 2.0.
inline float g_SymbolScale = 1.0f;
// Elements coloured by material, section or pipe load, with the legend; the
// pipe loads grouped by the specific gravity of their contents. The List
// window reads them to show its button and menu states.
inline std::atomic<bool> g_ColourByProperty{false};
inline std::atomic<bool> g_GroupBySpecificGravity{false};
// The result displays: the deflected shape is shown (picking then tests the
// deflected outlines), and the stress displays draw the pipes themselves in
// their result colours. The results set them; without results they stay off.
inline bool g_DeflectedShapeShown = false;
inline bool g_ResultsHidePipes = false;
// Toggled by command 40029 and kept for the Results window.
inline bool g_JacketStresses = false;
// A scroll thumb is being dragged in line mode.
inline bool g_ThumbTracking = false;
// Set when a pick by mouse starts, cleared when it hits nothing: an edit
// dialog opened by the pick reads it.
inline bool g_PickFlag = false;
// Positions of the axes triad: 0 none, 1 top right, 2 top left, 3 bottom
// left, 4 bottom right.
inline int g_AxesPosition = 1;
// The view's scroll domain and scroll state (UpdateScrollRanges).
struct ScrollState {
  float domainLeft = 0.0f, domainRight = 0.0f, domainBottom = 0.0f, domainTop = 0.0f;
  float factorX = 1.0f, factorY = 1.0f;  // scroll units per view unit
  int pageX = 0, positionX = 0, maximumX = 0;
  int pageY = 0, positionY = 0, maximumY = 0;
  int lineX = 50, lineY = 50;
  int turnX = 60, turnY = 60;  // last thumb positions in turn mode
};
inline ScrollState g_Scroll;

// Symbol scale limits and step.
constexpr float kSymbolScaleStep = 0.1f;
constexpr float kSymbolScaleMin = 0.1f;
constexpr float kSymbolScaleMax = 2.0f;
