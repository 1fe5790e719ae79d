#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Reads a Word 2007-365 file with python-docx (python3-docx) and prints, as JSON: the text of
# each body paragraph and of each cell of each table (paragraphs joined by line feeds, line
# breaks as line feeds, tabs as tabs); whether each row repeats as a heading; and the look of the
# page, the first paragraph's runs and the first table (lengths in twips).
import json
import sys

import docx
from docx.oxml.ns import qn


def attribute(element, path, name):
    found = element.find(path) if element is not None else None
    return None if found is None else found.get(qn(name))


def look(document):
    section = document.sections[0]
    table = document.tables[0]
    return {
        "page": [section.page_width.twips, section.page_height.twips,
                 str(section.orientation), section.left_margin.twips,
                 section.right_margin.twips, section.top_margin.twips,
                 section.bottom_margin.twips],
        "title": [[run.text, run.bold, run.font.size.pt if run.font.size else None,
                   str(run.font.color.rgb) if run.font.color.type else None]
                  for run in document.paragraphs[0].runs],
        "columns": [column.width.twips for column in table.columns],
        "rows": [[row.height.twips if row.height else None, str(row.height_rule)]
                 for row in table.rows[:2]],
        "fills": [[attribute(cell._tc.tcPr, qn("w:shd"), "w:fill") for cell in row.cells]
                  for row in table.rows[:2]],
        "cells": [[str(cell.vertical_alignment), cell._tc.tcPr.find(qn("w:noWrap")) is not None,
                   str(cell.paragraphs[0].alignment)] for cell in table.rows[1].cells[:2]],
        "borders": [attribute(table._tbl.tblPr, qn("w:tblBorders") + "/" + qn("w:" + side),
                              "w:sz") for side in ["top", "left", "insideH", "insideV"]],
        "padding": [attribute(table._tbl.tblPr, qn("w:tblCellMar") + "/" + qn("w:" + side),
                              "w:w") for side in ["left", "right"]],
    }


document = docx.Document(sys.argv[1])
json.dump({
    "paragraphs": [paragraph.text for paragraph in document.paragraphs],
    "tables": [[[cell.text for cell in row.cells] for row in table.rows]
               for table in document.tables],
    "headings": [[row._tr.trPr is not None and row._tr.trPr.find(qn("w:tblHeader")) is not None
                  for row in table.rows] for table in document.tables],
    "look": look(document),
}, sys.stdout)
