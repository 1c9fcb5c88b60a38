// The services the game calls: screen, keyboard, time, strings and program control.
// Every service acts on the runtime that the front end installed (Runtime::install);
// rows and columns count from 1, as the game sees them. A service that can fail takes the
// caller's source line, which its error report names.
#pragma once

#include <cstdint>
#include <string>

// A byte string of explicit length; any byte value, no terminator.
using RtString = std::string;

// ---- Screen set-up -------------------------------------------------------
// Mode 12: 640x480, 16 colours, 80x30 cells, print area rows 1 to 29.
void scr_set_mode(int mode, unsigned line = __builtin_LINE());
void scr_color(int foreground, int background, unsigned line = __builtin_LINE());
// Fills the whole screen with the background colour; cursor to row 1, column 1.
void scr_clear();
void scr_title(const RtString& title);
void scr_icon();

// ---- Text output ---------------------------------------------------------
// Moves the cursor to the next row first when `text` would not fit in the rest of the row.
void scr_print_fit_check(const RtString& text);
// Prints at the cursor with wrapping and scrolling; `newline` 1 ends the print with a newline.
void scr_print_string(const RtString& text, int newline);
void scr_locate(int row, int column, unsigned line = __builtin_LINE());
int scr_cursor_row();
int scr_cursor_column();
// Appends the format's text from `position` through its next "#" field (filled with `value`)
// up to the field after it; returns that field's position, or 0 at the end of the format.
// The field holds the value rounded half away from zero, right-aligned with spaces, "-" in
// front of a negative value's digits, "%" in front when they need more places than the
// field has. Every finite value shows all its digits; an infinity shows "INF" (or "-INF")
// and NaN "NAN" in place of the digits, by the same rules.
int scr_print_formatted_single(const RtString& format, float value, int position, RtString& out);

// ---- Pages and presentation ----------------------------------------------
void scr_copy_page(int source, int destination, unsigned line = __builtin_LINE());
// Presents one frame of page 0 now and turns automatic presentation off.
void scr_display();
void scr_auto_display();

// ---- Keyboard --------------------------------------------------------------
// The oldest key-event code (releases negated), or 0 at once when none waits.
int key_read_code();
// The oldest keyboard-buffer entry: one character, or a zero byte and the scan code for a
// key without a character; the empty string at once when none waits.
RtString key_read_char();
// Blocks until the keyboard buffer holds a key, a stop is requested or `timeout_ms` pass,
// so that loops polling key_read_char need not spin.
void key_wait(int timeout_ms);

// ---- Time ------------------------------------------------------------------
// Seconds after local midnight at start-up, counted on from then by a clock that includes
// the time the machine was suspended (so it runs on past 86,400 rather than jumping back,
// and setting the wall clock does not move it), taken in whole milliseconds and rounded to
// the nearest multiple of `accuracy`, halves to the even multiple.
double time_of_day(double accuracy, unsigned line = __builtin_LINE());
// Holds a loop to at most `passes_per_second` passes a second.
void time_limit(int passes_per_second, unsigned line = __builtin_LINE());
// Waits for a key pressed after the call began; removes nothing from either queue.
void time_sleep();

// ---- Strings ---------------------------------------------------------------
RtString str_concat(const RtString& first, const RtString& second);
int str_equal(const RtString& first, const RtString& second);      // -1 true, 0 false
int str_not_equal(const RtString& first, const RtString& second);  // -1 true, 0 false
RtString str_upper(const RtString& text);
RtString str_ltrim(const RtString& text);
RtString str_rtrim(const RtString& text);
RtString str_left(const RtString& text, int count);
RtString str_chr(int code, unsigned line = __builtin_LINE());
RtString str_space(int count);
int str_find(const RtString& text, const RtString& wanted);  // 1-based; 0 when absent

// ---- Program control -------------------------------------------------------
// "Press any key to continue" on the last row, then the program ends on a new key.
[[noreturn]] void rt_end_program();
// Between statements: reports a pending error, carries out a stop, holds while paused.
void rt_statement_hook(unsigned line = __builtin_LINE());
// Raises runtime error `code`; it is reported before the failing service returns.
void rt_raise_error(int code, unsigned line = __builtin_LINE());

// The runtime error numbers; the program-control services hold their messages.
namespace rt_error {
constexpr int kReturnWithoutGosub = 3;
constexpr int kIllegalFunctionCall = 5;
constexpr int kSubscriptOutOfRange = 9;
constexpr int kDivisionByZero = 11;
}  // namespace rt_error
