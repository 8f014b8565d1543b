#pragma once
#include <QByteArray>
#include <QString>

class PictureBox;

// A graph as a picture file, drawn from the steps its drawing surface recorded: the same graph
// the window shows, at twice its pixels as PNG or as vectors (SVG) at its size.
enum class PictureFormat { kPng, kSvg };
QByteArray picture_file_bytes(const PictureBox& box, PictureFormat format, const QString& title);

// The save of 「画像の保存」 and Ctrl+S: the save dialog with the file types PNG (the default)
// and SVG, the overwrite question when the name exists, then the file in the chosen type,
// written whole or not at all. A failure beeps and says why.
void save_graph_picture(const PictureBox& box, const QString& title);
