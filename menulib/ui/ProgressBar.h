// The progress bar: a value between a minimum and a maximum shown as a bar filled in the selection colour inside a
// bevel, with an optional label made from a format whose "%g" or "%d" fields take the value and the maximum.
#pragma once
#include "ui/JWindow.h"

class CJProgressBar : public CJWindow {
public:
    // A bar from 0 to the maximum, as wide as an edit box holding "XXXXXXXXXXXX".
    CJProgressBar(CJWindow* parent, int maximum);

    void SetRange(int minimum, int maximum);
    int GetMinimum() const { return m_minimum; }
    int GetMaximum() const { return m_maximum; }
    // The filled part: (value - minimum) / (maximum - minimum), 0 for an empty range.
    float GetFraction() const { return m_fraction; }
    // The label's format; its "%g" fields take the value and the maximum, else its "%d" fields take them rounded.
    void SetLabelFormat(const CString& format) { m_labelFormat = format; }

    void Draw(CFrameInterface* frame) override;
    // The integer value setter: the value becomes the number.
    void SetTextInt(int value) override { SetValue(static_cast<float>(value)); }

    virtual void SetValue(float value);
    virtual int GetValueInt() const;
    virtual float GetValue() const { return m_value; }

private:
    void UpdateLabel();

    std::int32_t m_minimum = 0;
    std::int32_t m_maximum = 0;
    float m_value = 0.0f;
    float m_fraction = 0.0f;
    CString m_labelFormat;
};

// The text of a label format with its "%g" fields (else its "%d" fields) filled in order with the given numbers;
// "%%" gives one '%' and every other character, other '%' sequences included, is kept as it is.
CString FillLabelFormat(const CString& format, float first, float second);
