/* Writes an .xlsx workbook with libxlsxwriter, an Excel writer independent of
 * the program: the demo workbook (tools/demo_dichiarazioni.txt) and the
 * workbooks of the tests are made with it. Usage: genera_cartella OUT.xlsx DESCRIPTION; one item a line,
 * rows and columns from 1: "sheet NAME", "text|bold|number R C VALUE" (bold:
 * bold on a yellow fill), "formula R C F[|CACHED]", "blank R C" (bold on yellow),
 * "rich R C A|B" (A in bold), "comment R C TEXT", "width C W", "chart" (of
 * A1:A5 at H2), "name NAME FORMULA". */
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    FILE* in = argc == 3 ? fopen(argv[2], "r") : NULL;
    if (!in) return 2;
    lxw_workbook* wb = workbook_new(argv[1]);
    lxw_format* evidente = workbook_add_format(wb);
    format_set_bold(evidente);
    format_set_bg_color(evidente, LXW_COLOR_YELLOW);
    lxw_worksheet* ws = NULL;
    char riga[4096], voce[32], primo[2048];
    while (fgets(riga, sizeof riga, in)) {
        riga[strcspn(riga, "\r\n")] = 0;
        int r = 0, c = 0, letti = 0;
        double w = 0;
        if (sscanf(riga, "%31s", voce) != 1) continue;
        const char* resto = riga + strlen(voce) + (riga[strlen(voce)] ? 1 : 0);
        if (strcmp(voce, "sheet") == 0)
            ws = workbook_add_worksheet(wb, resto);
        else if (strcmp(voce, "name") == 0 && sscanf(resto, "%2047s %n", primo, &letti) == 1)
            workbook_define_name(wb, primo, resto + letti);
        else if (!ws)
            return 3;
        else if (strcmp(voce, "width") == 0 && sscanf(resto, "%d %lf", &c, &w) == 2)
            worksheet_set_column(ws, (lxw_col_t)(c - 1), (lxw_col_t)(c - 1), w, NULL);
        else if (strcmp(voce, "chart") == 0) {
            lxw_chart* grafico = workbook_add_chart(wb, LXW_CHART_COLUMN);
            snprintf(primo, sizeof primo, "='%s'!$A$1:$A$5", ws->name);
            chart_add_series(grafico, NULL, primo);
            worksheet_insert_chart(ws, 1, 7, grafico);
        } else if (sscanf(resto, "%d %d %n", &r, &c, &letti) < 2 || r < 1 || c < 1) {
            return 4;
        } else {
            const char* valore = resto + letti;
            const char* barra = strchr(valore, '|');
            if (barra) snprintf(primo, sizeof primo, "%.*s", (int)(barra - valore), valore);
            const lxw_row_t rr = (lxw_row_t)(r - 1);
            const lxw_col_t cc = (lxw_col_t)(c - 1);
            if (strcmp(voce, "text") == 0 || strcmp(voce, "bold") == 0)
                worksheet_write_string(ws, rr, cc, valore, voce[0] == 'b' ? evidente : NULL);
            else if (strcmp(voce, "number") == 0)
                worksheet_write_number(ws, rr, cc, atof(valore), NULL);
            else if (strcmp(voce, "formula") == 0 && barra)
                worksheet_write_formula_str(ws, rr, cc, primo, NULL, barra + 1);
            else if (strcmp(voce, "formula") == 0)
                worksheet_write_formula(ws, rr, cc, valore, NULL);
            else if (strcmp(voce, "blank") == 0)
                worksheet_write_blank(ws, rr, cc, evidente);
            else if (strcmp(voce, "comment") == 0)
                worksheet_write_comment(ws, rr, cc, valore);
            else if (strcmp(voce, "rich") == 0 && barra) {
                lxw_rich_string_tuple a = {evidente, primo}, b = {NULL, (char*)(barra + 1)};
                lxw_rich_string_tuple* parti[] = {&a, &b, NULL};
                worksheet_write_rich_string(ws, rr, cc, parti, NULL);
            } else
                return 4;
        }
    }
    fclose(in);
    return workbook_close(wb) == LXW_NO_ERROR ? 0 : 1;
}
