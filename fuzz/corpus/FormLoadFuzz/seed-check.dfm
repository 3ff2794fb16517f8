object CheckForm: TCheckForm
  object Go: TBasicAction
  end
  object Box: TComponent
  end
  object Connections: TzelConnectionList
    object Fine: TzelE2PConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueConstant = '3'
      ValueOptions = voConstant
    end
    object Dangling: TzelE2PConnection
      Source = Nowhere
      Target = Box
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueOptions = voConstant
    end
    object NoSource: TzelE2PConnection
      Target = Box
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueOptions = voConstant
    end
    object Misspelt: TzelE2PConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecut'
      TargetProperty = 'Tag'
      ValueOptions = voConstant
    end
    object NoValue: TzelE2PConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueOptions = voComponentProperty
    end
    object NoParameter: TzelE2PConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueEventParameter = 'Key'
      ValueOptions = voEventProperty
    end
    object NoMethod: TzelE2MConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecute'
      TargetMethod = 'Frobnicate'
    end
    object LooseItem: TzelE2MConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecute'
      TargetMethod = 'FindComponent'
      TargetMethodParameters = <
        item
          ParameterName = 'AName'
          Component = Go
          ComponentProperty = 'Caption'
          Options = voComponentProperty
        end>
    end
    object NoTargetProperty: TzelP2PConnection
      Source = Go
      Target = Box
      SourceProperty = 'Tag'
      TargetProperty = 'Tagg'
    end
    object IdleDirection: TzelP2PConnection
      Source = Go
      Target = Box
      SourceProperty = 'Tag'
      SourceEvent = 'OnChanged'
      TargetProperty = 'Tag'
    end
  end
end
