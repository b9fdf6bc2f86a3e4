#pragma once

class QWidget;

// Keeps `child` covering the whole client area of its parent widget, now and
// on every later resize of the parent (a client-aligned screen).
void AlignToClient(QWidget* child, QWidget* parent);
