// The dialog as a GTK window: each control a GTK widget at its pixel place in a layout of the template's size. Changes made by
// the dialog procedure are put into the widgets without being reported back as clicks.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dialogs/dialog_backends.h"
#include "dialogs/gtk_handles.h"
#include "platform/headless.h"
#include "platform/win32_messages.h"

namespace platform::dialogs {

bool EnsureGtk()
{
    static const bool ready = [] {
        if (gtk_init_check(nullptr, nullptr)) return true;
        std::fprintf(stderr, "Dialog: GTK cannot open the display\n");
        return false;
    }();
    return ready;
}

namespace {

// Compact controls, so that they fit the places their dialog units give them.
void AddStyle(GtkWidget* window, int points)
{
    char css[512];
    std::snprintf(css, sizeof css,
                  "* { font-family: \"DejaVu Sans\", Sans; font-size: %dpt; }"
                  "button { padding: 0 6px; min-height: 0; }"
                  "radiobutton, radio { padding: 0; min-height: 0; }"
                  "entry { padding: 0 4px; min-height: 0; }",
                  points * 9 / 10);
    const GObjectPtr<GtkCssProvider> provider(gtk_css_provider_new());
    gtk_css_provider_load_from_data(provider.get(), css, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(window), GTK_STYLE_PROVIDER(provider.get()),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

class GtkView : public DialogView {
public:
    explicit GtkView(Dialog& dialog) : dialog_(dialog)
    {
        window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(window_), dialog.caption.c_str());
        gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
        gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
        gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
        AddStyle(window_, dialog.fontPoints);
        // A layout, not a fixed container: its size is the template's whatever its children would like, so that a
        // long wrapped text cannot widen the dialog.
        const int width = dialog.rect.right - dialog.rect.left, height = dialog.rect.bottom - dialog.rect.top;
        layout_ = gtk_layout_new(nullptr, nullptr);
        gtk_layout_set_size(GTK_LAYOUT(layout_), width, height);
        gtk_widget_set_size_request(layout_, width, height);
        gtk_container_add(GTK_CONTAINER(window_), layout_);
        // Frames first, so that they lie beneath the controls they surround.
        for (int pass = 0; pass < 2; ++pass)
            for (auto& control : dialog.controls)
                if (IsFrame(*control) == (pass == 0)) AddWidget(*control);
        g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
        g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
    }

    ~GtkView() override
    {
        gtk_widget_destroy(window_);
        while (gtk_events_pending()) gtk_main_iteration();
    }

    void Run(Dialog& dialog) override
    {
        gtk_window_move(GTK_WINDOW(window_), dialog.rect.left, dialog.rect.top);
        gtk_widget_show_all(window_);
        WaitUntilShown();
        TakeShot();
        ReportShown(dialog, OnScreen());
        while (!dialog.ended) gtk_main_iteration();
        gtk_widget_hide(window_);
    }

    void Changed(Dialog& dialog, const Control* control) override
    {
        quiet_ = true;
        if (!control) {
            gtk_window_set_title(GTK_WINDOW(window_), dialog.caption.c_str());
            gtk_window_move(GTK_WINDOW(window_), dialog.rect.left, dialog.rect.top);
        } else if (Widget* widget = WidgetOf(control)) {
            Show(*widget);
        }
        quiet_ = false;
    }

private:
    // A window manager places and maps the window in its own time, and may move it once it is mapped: the window
    // is on the screen when the X server says it is mapped and it has kept its place for a moment. A dialog that
    // never shows goes on after two seconds.
    void WaitUntilShown()
    {
        constexpr gint64 kSettled = G_USEC_PER_SEC / 8;
        const gint64 until = g_get_monotonic_time() + 2 * G_USEC_PER_SEC;
        RECT last{};
        gint64 placedAt = 0;
        for (gint64 now = g_get_monotonic_time(); now < until; now = g_get_monotonic_time()) {
            if (!gtk_main_iteration_do(FALSE)) g_usleep(2000);
            if (!OnTheScreen()) continue;
            const RECT place = OnScreen();
            if (placedAt == 0 || std::memcmp(&place, &last, sizeof place) != 0) {
                last = place;
                placedAt = now;
            } else if (now - placedAt >= kSettled) {
                break;
            }
        }
        while (gtk_events_pending()) gtk_main_iteration();
    }

    bool OnTheScreen() const
    {
        GdkWindow* shown = gtk_widget_get_window(window_);
        return shown && !(gdk_window_get_state(shown) & GDK_WINDOW_STATE_WITHDRAWN);
    }

    RECT OnScreen() const
    {
        GdkWindow* shown = gtk_widget_get_window(window_);
        if (!shown) return RECT{};
        gint x = 0, y = 0;
        gdk_window_get_origin(shown, &x, &y);
        return RECT{x, y, x + gdk_window_get_width(shown), y + gdk_window_get_height(shown)};
    }

    // With VEL_SHOTS set, the dialog as first shown is written there as "dialog-<n>.png", and the whole screen with
    // it, where it stands, as "screen-<n>.png".
    void TakeShot()
    {
        if (GetHeadlessSettings().shotsDir.empty()) return;
        static int shots = 0;
        const std::string number = std::to_string(++shots);
        Save(gtk_widget_get_window(window_), "dialog-" + number + ".png");
        Save(gdk_screen_get_root_window(gtk_widget_get_screen(window_)), "screen-" + number + ".png");
    }

    static void Save(GdkWindow* drawn, const std::string& name)
    {
        const GObjectPtr<GdkPixbuf> picture(
            drawn ? gdk_pixbuf_get_from_window(drawn, 0, 0, gdk_window_get_width(drawn), gdk_window_get_height(drawn))
                  : nullptr);
        const std::string path = ShotPath(name);
        if (!picture || path.empty() || !gdk_pixbuf_save(picture.get(), path.c_str(), "png", nullptr, nullptr))
            std::fprintf(stderr, "Dialog: cannot write %s/%s\n", GetHeadlessSettings().shotsDir.c_str(), name.c_str());
        else
            std::fprintf(stderr, "Dialog: screenshot %s\n", path.c_str());
    }

    struct Widget {
        Control* control;
        GtkWidget* gtk;
        GtkWidget* groupNone;  // radio buttons: the hidden member of the group that is on when none is checked
    };

    static bool IsFrame(const Control& control)
    {
        return control.item.kind == DialogItemKind::GroupBox || control.item.kind == DialogItemKind::EtchedFrame;
    }

    Widget* WidgetOf(const Control* control)
    {
        for (Widget& widget : widgets_)
            if (widget.control == control) return &widget;
        return nullptr;
    }

    void AddWidget(Control& control)
    {
        Widget widget{&control, nullptr, nullptr};
        const DialogItem& item = control.item;
        switch (item.kind) {
        case DialogItemKind::PushButton:
        case DialogItemKind::DefaultPushButton:
            widget.gtk = gtk_button_new_with_label(control.text.c_str());
            g_signal_connect(widget.gtk, "clicked", G_CALLBACK(OnClicked), &control);
            break;
        case DialogItemKind::RadioButton: {
            Widget* before = widgets_.empty() ? nullptr : &widgets_.back();
            widget.groupNone = before && before->groupNone ? before->groupNone : gtk_radio_button_new(nullptr);
            if (!(before && before->groupNone)) {
                gtk_widget_set_no_show_all(widget.groupNone, TRUE);
                gtk_layout_put(GTK_LAYOUT(layout_), widget.groupNone, 0, 0);
            }
            widget.gtk =
                gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(widget.groupNone), control.text.c_str());
            g_signal_connect(widget.gtk, "toggled", G_CALLBACK(OnClicked), &control);
            break;
        }
        case DialogItemKind::GroupBox:
        case DialogItemKind::EtchedFrame:
            widget.gtk = gtk_frame_new(item.kind == DialogItemKind::GroupBox ? control.text.c_str() : nullptr);
            gtk_frame_set_shadow_type(GTK_FRAME(widget.gtk), GTK_SHADOW_ETCHED_IN);
            break;
        case DialogItemKind::Text:
            widget.gtk = gtk_label_new(control.text.c_str());
            gtk_label_set_line_wrap(GTK_LABEL(widget.gtk), TRUE);
            gtk_label_set_xalign(GTK_LABEL(widget.gtk), item.options & kDialogAlignRight    ? 1.0f
                                                        : item.options & kDialogAlignCentre ? 0.5f
                                                                                            : 0.0f);
            gtk_label_set_yalign(GTK_LABEL(widget.gtk), 0.0f);
            break;
        case DialogItemKind::Edit: widget.gtk = MakeEdit(control); break;
        case DialogItemKind::ComboBox:
            widget.gtk = gtk_combo_box_text_new();
            g_signal_connect(widget.gtk, "changed", G_CALLBACK(OnComboChanged), &control);
            break;
        case DialogItemKind::Picture: widget.gtk = MakePicture(control); break;
        }
        // A drop-down list's height in a template includes its opened list; GTK opens the list by itself.
        const bool listHeight = item.kind == DialogItemKind::ComboBox;
        gtk_widget_set_size_request(widget.gtk, control.rect.right - control.rect.left,
                                    listHeight ? -1 : control.rect.bottom - control.rect.top);
        gtk_layout_put(GTK_LAYOUT(layout_), widget.gtk, control.rect.left, control.rect.top);
        widgets_.push_back(widget);
    }

    // The picture scaled to the item's place; an image without picture when the file cannot be read.
    static GtkWidget* MakePicture(const Control& control)
    {
        GdkPixbuf* picture =
            gdk_pixbuf_new_from_file_at_scale(control.text.c_str(), control.rect.right - control.rect.left,
                                              control.rect.bottom - control.rect.top, FALSE, nullptr);
        if (!picture) return gtk_image_new();
        GtkWidget* image = gtk_image_new_from_pixbuf(picture);
        g_object_unref(picture);
        return image;
    }

    GtkWidget* MakeEdit(Control& control)
    {
        const bool editable = !(control.item.options & kDialogReadOnly);
        if (!(control.item.options & kDialogMultiLine)) {
            GtkWidget* entry = gtk_entry_new();
            gtk_entry_set_text(GTK_ENTRY(entry), control.text.c_str());
            gtk_editable_set_editable(GTK_EDITABLE(entry), editable);
            g_signal_connect(entry, "changed", G_CALLBACK(OnEntryChanged), &control);
            return entry;
        }
        GtkWidget* view = gtk_text_view_new();
        gtk_text_view_set_editable(GTK_TEXT_VIEW(view), editable);
        gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_WORD_CHAR);
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
        gtk_text_buffer_set_text(buffer, control.text.c_str(), -1);
        g_signal_connect(buffer, "changed", G_CALLBACK(OnBufferChanged), &control);
        GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
        gtk_container_add(GTK_CONTAINER(scrolled), view);
        return scrolled;
    }

    void Show(const Widget& widget)
    {
        const Control& control = *widget.control;
        switch (control.item.kind) {
        case DialogItemKind::PushButton:
        case DialogItemKind::DefaultPushButton:
            gtk_button_set_label(GTK_BUTTON(widget.gtk), control.text.c_str());
            break;
        case DialogItemKind::RadioButton:
            gtk_button_set_label(GTK_BUTTON(widget.gtk), control.text.c_str());
            if (control.checked)
                gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget.gtk), TRUE);
            else if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget.gtk)))
                gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget.groupNone), TRUE);
            break;
        case DialogItemKind::GroupBox: gtk_frame_set_label(GTK_FRAME(widget.gtk), control.text.c_str()); break;
        case DialogItemKind::Text: gtk_label_set_text(GTK_LABEL(widget.gtk), control.text.c_str()); break;
        case DialogItemKind::Edit:
            if (GTK_IS_ENTRY(widget.gtk)) {
                gtk_entry_set_text(GTK_ENTRY(widget.gtk), control.text.c_str());
            } else {
                GtkWidget* view = gtk_bin_get_child(GTK_BIN(widget.gtk));
                gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), control.text.c_str(), -1);
            }
            break;
        case DialogItemKind::ComboBox: ShowList(widget); break;
        case DialogItemKind::EtchedFrame:
        case DialogItemKind::Picture: break;
        }
    }

    static void ShowList(const Widget& widget)
    {
        const Control& control = *widget.control;
        GtkComboBoxText* list = GTK_COMBO_BOX_TEXT(widget.gtk);
        gtk_combo_box_text_remove_all(list);
        for (const std::string& item : control.items) gtk_combo_box_text_append_text(list, item.c_str());
        gtk_combo_box_set_active(GTK_COMBO_BOX(list), control.selected);
    }

    static void OnComboChanged(GtkComboBox* list, gpointer data)
    {
        Control* control = static_cast<Control*>(data);
        Dialog* dialog = nullptr;
        FindControl(control->Handle(), &dialog);
        if (!dialog || !dialog->view || static_cast<GtkView*>(dialog->view)->quiet_) return;
        control->selected = gtk_combo_box_get_active(list);
    }

    static void OnClicked(GtkWidget* widget, gpointer data)
    {
        Control* control = static_cast<Control*>(data);
        Dialog* dialog = nullptr;
        FindControl(control->Handle(), &dialog);
        if (!dialog || !dialog->view) return;
        auto* view = static_cast<GtkView*>(dialog->view);
        const bool radioTurnedOff =
            GTK_IS_RADIO_BUTTON(widget) && !gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget));
        if (view->quiet_ || radioTurnedOff || dialog->ended) return;
        Click(*dialog, *control);
    }

    static void OnEntryChanged(GtkEditable* entry, gpointer data)
    {
        static_cast<Control*>(data)->text = gtk_entry_get_text(GTK_ENTRY(entry));
    }

    static void OnBufferChanged(GtkTextBuffer* buffer, gpointer data)
    {
        GtkTextIter start;
        GtkTextIter end;
        gtk_text_buffer_get_bounds(buffer, &start, &end);
        gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
        static_cast<Control*>(data)->text = text;
        g_free(text);
    }

    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data)
    {
        GtkView* view = static_cast<GtkView*>(data);
        if (!view->dialog_.ended) Close(view->dialog_);
        return TRUE;  // the dialog procedure decides whether it ends
    }

    static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer data)
    {
        GtkView* view = static_cast<GtkView*>(data);
        Dialog& dialog = view->dialog_;
        if (dialog.ended) return FALSE;
        if (event->keyval == GDK_KEY_Escape) {
            Control* cancel = dialog.Find(IDCANCEL);
            Send(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(cancel ? cancel->Handle() : nullptr));
            return TRUE;
        }
        const bool enter = event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter;
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(view->window_));
        if (!enter || (focus && GTK_IS_BUTTON(focus) && !GTK_IS_RADIO_BUTTON(focus))) return FALSE;
        for (auto& control : dialog.controls)
            if (control->item.kind == DialogItemKind::DefaultPushButton) {
                Click(dialog, *control);
                return TRUE;
            }
        if (Control* ok = dialog.Find(IDOK)) Click(dialog, *ok);
        return TRUE;
    }

    Dialog& dialog_;
    GtkWidget* window_ = nullptr;
    GtkWidget* layout_ = nullptr;
    std::vector<Widget> widgets_;
    bool quiet_ = false;
};

}  // namespace

std::unique_ptr<DialogView> MakeGtkView(Dialog& dialog)
{
    if (!EnsureGtk()) return nullptr;
    return std::make_unique<GtkView>(dialog);
}

bool GtkScreenSize(int& width, int& height)
{
    if (!EnsureGtk()) return false;
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor) monitor = gdk_display_get_monitor(display, 0);
    if (!monitor) return false;
    GdkRectangle area{};
    gdk_monitor_get_geometry(monitor, &area);
    width = area.width;
    height = area.height;
    return true;
}

}  // namespace platform::dialogs
