#pragma once

#include <QString>

// Apple writes the labels of its own kinds as "_$!<Mobile>!$_" and custom
// labels as they are; the label as the user knows it is "Mobile".
QString PlainLabel(const QString& label);

// The label to write for a custom name, so that reading it gives the name back.
QString LabelFor(const QString& name);
