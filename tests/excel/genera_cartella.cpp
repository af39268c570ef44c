/* Writes an .xlsx workbook with libxlsxwriter, an Excel writer independent
 * of the program, from a description read from a file, one item a line
 * (rows and columns from 1):
 *   sheet NAME             a new worksheet; the items below go into it
 *   text R C VALUE         a string (shared string), the rest of the line
 *   bold R C VALUE         a string in bold on a yellow fill
 *   number R C VALUE       a number
 *   formula R C FORMULA    a formula; FORMULA|RESULT with its cached text result
 *   blank R C              an empty cell with the bold-yellow style
 *   width C W              column width
 *   rich R C A|B           a rich string of two runs, the first in bold
 *   comment R C TEXT       a cell comment
 *   chart                  a column chart of A1:A5, placed at H2
 *   name NAME FORMULA      a defined name
 * Usage: genera_cartella OUT.xlsx DESCRIPTION; exit status 0 when written.
 * Plain C, compiled as C++ with the rest of the tests. */
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    FILE* in = fopen(argv[2], "r");
    if (!in)
        return 2;
    lxw_workbook* wb = workbook_new(argv[1]);
    lxw_format* evidente = workbook_add_format(wb);
    format_set_bold(evidente);
    format_set_bg_color(evidente, LXW_COLOR_YELLOW);
    lxw_worksheet* ws = NULL;
    char riga[4096];
    while (fgets(riga, sizeof riga, in)) {
        riga[strcspn(riga, "\r\n")] = 0;
        char voce[32] = "";
        int r = 0, c = 0, letti = 0;
        if (sscanf(riga, "%31s", voce) != 1)
            continue;
        const char* resto = riga + strlen(voce) + (riga[strlen(voce)] ? 1 : 0);
        if (strcmp(voce, "sheet") == 0) {
            ws = workbook_add_worksheet(wb, resto);
            continue;
        }
        if (strcmp(voce, "name") == 0) {
            char nome[256];
            if (sscanf(resto, "%255s %n", nome, &letti) == 1)
                workbook_define_name(wb, nome, resto + letti);
            continue;
        }
        if (!ws)
            return 3;
        if (strcmp(voce, "width") == 0) {
            double w = 0;
            if (sscanf(resto, "%d %lf", &c, &w) == 2)
                worksheet_set_column(ws, (lxw_col_t)(c - 1), (lxw_col_t)(c - 1), w, NULL);
            continue;
        }
        if (strcmp(voce, "chart") == 0) {
            lxw_chart* grafico = workbook_add_chart(wb, LXW_CHART_COLUMN);
            char serie[300];
            snprintf(serie, sizeof serie, "='%s'!$A$1:$A$5", ws->name);
            chart_add_series(grafico, NULL, serie);
            worksheet_insert_chart(ws, 1, 7, grafico);
            continue;
        }
        if (sscanf(resto, "%d %d %n", &r, &c, &letti) < 2 || r < 1 || c < 1)
            return 4;
        const char* valore = resto + letti;
        const lxw_row_t rr = (lxw_row_t)(r - 1);
        const lxw_col_t cc = (lxw_col_t)(c - 1);
        if (strcmp(voce, "text") == 0)
            worksheet_write_string(ws, rr, cc, valore, NULL);
        else if (strcmp(voce, "bold") == 0)
            worksheet_write_string(ws, rr, cc, valore, evidente);
        else if (strcmp(voce, "number") == 0)
            worksheet_write_number(ws, rr, cc, atof(valore), NULL);
        else if (strcmp(voce, "formula") == 0 && strchr(valore, '|')) {
            char formula[2048];
            const char* barra = strchr(valore, '|');
            snprintf(formula, sizeof formula, "%.*s", (int)(barra - valore), valore);
            worksheet_write_formula_str(ws, rr, cc, formula, NULL, barra + 1);
        } else if (strcmp(voce, "formula") == 0)
            worksheet_write_formula(ws, rr, cc, valore, NULL);
        else if (strcmp(voce, "blank") == 0)
            worksheet_write_blank(ws, rr, cc, evidente);
        else if (strcmp(voce, "rich") == 0) {
            char primo[2048];
            const char* barra = strchr(valore, '|');
            if (!barra)
                return 4;
            snprintf(primo, sizeof primo, "%.*s", (int)(barra - valore), valore);
            lxw_rich_string_tuple a = {evidente, primo};
            lxw_rich_string_tuple b = {NULL, (char*)(barra + 1)};
            lxw_rich_string_tuple* parti[] = {&a, &b, NULL};
            worksheet_write_rich_string(ws, rr, cc, parti, NULL);
        } else if (strcmp(voce, "comment") == 0)
            worksheet_write_comment(ws, rr, cc, valore);
        else
            return 4;
    }
    fclose(in);
    return workbook_close(wb) == LXW_NO_ERROR ? 0 : 1;
}
