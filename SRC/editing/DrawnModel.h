// The copy of the model that the graphics thread draws: what a picture needs
// of the open model (rows with their objects, nodes, per-kind lists, the
// property tables that size and colour the elements, the view settings, the
// vertical axis, the current row and the List window's list), copied on the
// GUI thread when it asks for a picture (GraphicsThread.h). Nothing the
// analysis or the files alone need is copied.
//
// Element objects are copied with their kind's CopyFrom, which copies the
// user's input; the geometry that making the model computed (a bend's arc)
// is copied here as well, so the copy draws as the model was made.
#pragma once

struct Model;

void CopyModelForDrawing(const Model& source, Model& target);
