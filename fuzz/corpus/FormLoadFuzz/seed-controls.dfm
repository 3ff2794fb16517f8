object F: TForm
  Caption = 'Controls'
  object Phone: TMaskEdit
    EditMask = '!\(999\)000-0000;1;_'
    MaxLength = 13
    Text = '(030)123-45  '
  end
  object Grid: TStringGrid
    ColCount = 3
    RowCount = 4
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing]
    ColWidths = (
      64
      30
      80)
  end
  object Ok: TBitBtn
    Kind = bkOK
  end
  object Bold: TSpeedButton
    GroupIndex = 2
    Down = True
  end
  object Choice: TRadioGroup
    Columns = 2
    ItemIndex = 1
    Items.Strings = (
      'One'
      'Two')
  end
  object Open1: TOpenDialog
    Filter = 'Text|*.txt'
  end
end
